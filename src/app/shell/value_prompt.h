#pragma once
// The value prompt: a caption, a one-line prompt, an edit box holding a default text and a single
// 确定 button. Every size follows the average character size of the dialog's font, so the prompt
// scales with the system font. It has no cancel button, and Escape does not close it: the steps
// that ask want an answer, and its close box is the only way out without one.

#include <QDialog>
#include <QPixmap>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane::app {

// a × b / c rounded to the nearest integer, halves away from zero, without overflow in between;
// -1 when c is 0. The dialog layouts are written in these units.
int mulDiv(int a, int b, int c);

// Moves a top-level window so that its frame is centred on the free area of the screen it is on
// (the screen less its task bars), its title bar within that area.
void centreOnScreen(QWidget& window);

// A picture for a window of its own size: as it is where the screen's free area holds it with
// the window's frame, else scaled down in its proportions until it does.
QPixmap fittedToScreen(const QPixmap& picture, const QWidget& window);

// A choice dialog that closes only through its 确定: a title and a close box, which window
// managers then show without minimise and maximise buttons. Its close box presses 确定.
inline constexpr Qt::WindowFlags kOkOnlyDialogFlags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
    Qt::MSWindowsFixedSizeDialogHint;

class ValuePromptDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 255;

    ValuePromptDialog(const QString& caption, const QString& prompt, const QString& value,
                      QWidget* parent = nullptr);

    QString value() const;
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* promptLabel() const { return label_; }
    // The average character width and the line height of the dialog's font.
    QSize averageCharSize() const { return charSize_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QSize charSize_;
    QLabel* label_;
    QLineEdit* edit_;
    QPushButton* ok_;
};

// Shows the prompt modally with `value` in its edit box. On 确定: `value` := the edited text and
// true. Closed any other way: false, `value` unchanged.
bool PromptQuery(const QString& caption, const QString& prompt, QString& value,
                 QWidget* parent = nullptr);

} // namespace zorvane::app
