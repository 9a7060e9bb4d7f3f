#include "app/records/new_rows_in_view.h"

#include <QAbstractItemModel>
#include <QEvent>
#include <QScrollBar>
#include <QTableView>

namespace zorvane::app {

namespace {

class NewRowsInView : public QObject {
public:
    explicit NewRowsInView(QTableView& view) : QObject(&view), view_(view) {
        view.viewport()->installEventFilter(this);
        connect(view.model(), &QAbstractItemModel::modelReset, this, [this] {
            following_ = true;
            view_.scrollToBottom();
        });
        connect(view.verticalScrollBar(), &QScrollBar::sliderPressed, this,
                [this] { following_ = false; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Resize:
            if (following_) {
                view_.scrollToBottom();
            }
            break;
        case QEvent::Wheel:
        case QEvent::MouseButtonPress:
            following_ = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView& view_;
    bool following_ = false;
};

} // namespace

void keepNewRowsInView(QTableView& view) {
    new NewRowsInView(view);
}

} // namespace zorvane::app
