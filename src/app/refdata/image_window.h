#pragma once
// The picture window TfrmImg: the picture of the shown reference table at full size, in a
// window that stays on top, has only a close box and sizes itself to the picture. It is made
// once and only shown or hidden.

#include <QWidget>

class QLabel;
class QPixmap;

namespace zorvane::app {

class ImageWindow : public QWidget {
    Q_OBJECT
public:
    explicit ImageWindow(QWidget* parent = nullptr);

    QLabel* image() const { return image_; }
    // Takes the picture and centres the window. A visible window just shows the new picture; a
    // hidden one is shown only when the picture is not empty.
    void showPicture(const QPixmap& picture);

protected:
    // Escape hides it, as the close box does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* image_;
};

} // namespace zorvane::app
