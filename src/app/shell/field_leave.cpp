#include "app/shell/field_leave.h"

#include <QFocusEvent>
#include <QWidget>

namespace zorvane::app {

FieldLeave::FieldLeave(QWidget* panel) : QObject(panel), panel_(panel) {}

void FieldLeave::watch(QWidget* field) {
    field->installEventFilter(this);
}

bool FieldLeave::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && panel_->isVisible()) {
        switch (static_cast<QFocusEvent*>(event)->reason()) {
        case Qt::TabFocusReason:
        case Qt::BacktabFocusReason:
        case Qt::MouseFocusReason:
        case Qt::ShortcutFocusReason:
            emit left(static_cast<QWidget*>(watched));
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zorvane::app
