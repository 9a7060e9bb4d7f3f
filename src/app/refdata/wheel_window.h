#pragma once
// The sprocket drawing window TfrmWheel: the drawing of the size area at full size, in a window
// that stays on top, has only a close box and is exactly as large as the drawing. Closing it, by
// the close box or Escape, destroys it.

#include <QWidget>

class QLabel;
class QPixmap;

namespace zorvane::app {

class WheelWindow : public QWidget {
    Q_OBJECT
public:
    explicit WheelWindow(const QPixmap& drawing, QWidget* parent = nullptr);

    QLabel* image() const { return image_; }

protected:
    // Escape closes it, as the close box does.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QLabel* image_;
};

} // namespace zorvane::app
