#include "app/shell/value_prompt.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <cmath>

namespace zorvane::app {

int mulDiv(int a, int b, int c) {
    return static_cast<int>(std::lround(static_cast<double>(a) * b / c));
}

ValuePromptDialog::ValuePromptDialog(const QString& caption, const QString& prompt,
                                     const QString& value, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MyDInputbox"));
    setWindowTitle(caption);
    // The average character size of the dialog's font.
    const QFontMetrics metrics(font());
    const QSize extent =
        metrics.size(Qt::TextSingleLine, QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                        "abcdefghijklmnopqrstuvwxyz"));
    const int w = extent.width() / 52;
    const int h = extent.height();
    setFixedSize(mulDiv(180, w, 4), mulDiv(63, h, 8));

    QFont songti(QStringLiteral("宋体"));
    songti.setPointSize(9);
    label_ = new QLabel(prompt, this);
    label_->setObjectName(QStringLiteral("lblPrompt"));
    label_->setFont(songti);
    label_->setStyleSheet(QStringLiteral("color: rgb(0, 128, 128);"));
    label_->adjustSize();
    label_->move(mulDiv(8, w, 4), mulDiv(8, h, 8));

    edit_ = new QLineEdit(value, this);
    edit_->setObjectName(QStringLiteral("edtValue"));
    edit_->setMaxLength(255);
    edit_->move(label_->x(), mulDiv(19, h, 8));
    edit_->setFixedWidth(mulDiv(164, w, 4));
    edit_->selectAll();

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("btnOK"));
    ok_->setFont(songti);
    ok_->setDefault(true);
    ok_->setGeometry(mulDiv(65, w, 4), mulDiv(41, h, 8), mulDiv(50, w, 4), mulDiv(14, h, 8));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    // Centred on the screen, not on the main window.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    edit_->setFocus();
}

QString ValuePromptDialog::value() const {
    return edit_->text();
}

void ValuePromptDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // the prompt must be answered
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PromptQuery(const QString& caption, const QString& prompt, QString& value, QWidget* parent) {
    ValuePromptDialog dialog(caption, prompt, value, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    value = dialog.value();
    return true;
}

} // namespace zorvane::app
