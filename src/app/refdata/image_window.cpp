#include "app/refdata/image_window.h"

#include "app/shell/value_prompt.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>

namespace zorvane::app {

ImageWindow::ImageWindow(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("TfrmImg"));
    setWindowTitle(QStringLiteral("全图显示"));
    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("imgAll2"));
}

void ImageWindow::showPicture(const QPixmap& original) {
    const QPixmap picture = fittedToScreen(original, *this);
    image_->setPixmap(picture);
    image_->setGeometry(0, 0, picture.width(), picture.height());
    if (!picture.isNull()) {
        setFixedSize(picture.size());
    }
    centreOnScreen(*this);
    if (!isVisible() && !picture.isNull()) {
        show();
    }
}

void ImageWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace zorvane::app
