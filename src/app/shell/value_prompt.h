#pragma once
// The value prompt: a caption, a one-line prompt, an edit box with a default text and a single
// 确定 button. Its sizes follow the average character size of its font, so it scales with the
// system font. It has no cancel button and Escape does not close it.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace zorvane::app {

class ValuePromptDialog : public QDialog {
    Q_OBJECT
public:
    ValuePromptDialog(const QString& caption, const QString& prompt, const QString& value,
                      QWidget* parent = nullptr);

    QString value() const;
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QLabel* promptLabel() const { return label_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLabel* label_;
    QLineEdit* edit_;
    QPushButton* ok_;
};

// a × b / c rounded to the nearest integer, halves away from zero.
int mulDiv(int a, int b, int c);

// True and the edited text on OK; false, `value` unchanged, when closed any other way.
bool PromptQuery(const QString& caption, const QString& prompt, QString& value,
                 QWidget* parent = nullptr);

} // namespace zorvane::app
