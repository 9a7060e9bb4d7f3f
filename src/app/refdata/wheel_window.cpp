#include "app/refdata/wheel_window.h"

#include "app/shell/value_prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

namespace zorvane::app {

WheelWindow::WheelWindow(const QPixmap& drawing, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TfrmWheel"));
    setWindowTitle(QStringLiteral("链轮尺寸参数"));
    setAttribute(Qt::WA_DeleteOnClose);
    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("imgWheel"));
    const QPixmap shown = fittedToScreen(drawing, *this);
    image_->setPixmap(shown);
    image_->setGeometry(0, 0, shown.width(), shown.height());
    setFixedSize(shown.size());
}

void WheelWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WheelWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    centreOnScreen(*this);
}

} // namespace zorvane::app
