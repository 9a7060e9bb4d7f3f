#include "app/shell/value_prompt.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace zorvane::app {

int mulDiv(int a, int b, int c) {
    if (c == 0) {
        return -1;
    }
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(c))) {
        quotient += (product < 0) == (c < 0) ? 1 : -1;
    }
    return static_cast<int>(quotient);
}

namespace {

const QScreen* screenOf(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

// Room a window manager's frame takes around a window before the window has one of its own.
constexpr QSize kFrameAllowance(16, 48);

} // namespace

void centreOnScreen(QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (!screen) {
        return;
    }
    // The frame is known once the window exists; before that it is the bare client area.
    const QSize outer = window.frameGeometry().size();
    const QRect area = screen->availableGeometry();
    const QPoint frameTopLeft(area.x() + std::max(0, (area.width() - outer.width()) / 2),
                              area.y() + std::max(0, (area.height() - outer.height()) / 2));
    window.move(frameTopLeft);
}

QPixmap fittedToScreen(const QPixmap& picture, const QWidget& window) {
    const QScreen* screen = screenOf(window);
    if (!screen || picture.isNull()) {
        return picture;
    }
    const QSize room = screen->availableGeometry().size() - kFrameAllowance;
    if (picture.width() <= room.width() && picture.height() <= room.height()) {
        return picture;
    }
    return picture.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

namespace {

QFont songti9() {
    QFont font(QStringLiteral("宋体"));
    font.setPointSize(9);
    return font;
}

} // namespace

ValuePromptDialog::ValuePromptDialog(const QString& caption, const QString& prompt,
                                     const QString& value, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("MyDInputbox"));
    setWindowTitle(caption);

    // The average character size: the extent of "A".."Z" "a".."z" in the dialog's font.
    const QFontMetrics metrics(font());
    const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    charSize_ = QSize(metrics.horizontalAdvance(alphabet) / 52, metrics.height());
    const int w = charSize_.width();
    const int h = charSize_.height();
    setFixedSize(mulDiv(180, w, 4), mulDiv(63, h, 8));

    label_ = new QLabel(prompt, this);
    label_->setObjectName(QStringLiteral("lblPrompt"));
    label_->setTextFormat(Qt::PlainText);
    label_->setFont(songti9());
    QPalette teal = label_->palette();
    teal.setColor(QPalette::WindowText, QColor(0, 128, 128));
    label_->setPalette(teal);
    label_->adjustSize();
    label_->move(mulDiv(8, w, 4), mulDiv(8, h, 8));

    edit_ = new QLineEdit(value, this);
    edit_->setObjectName(QStringLiteral("edtValue"));
    edit_->setMaxLength(kMaxLength);
    edit_->setGeometry(label_->x(), mulDiv(19, h, 8), mulDiv(164, w, 4),
                       edit_->sizeHint().height());
    edit_->selectAll();

    ok_ = new QPushButton(QStringLiteral("确定"), this);
    ok_->setObjectName(QStringLiteral("btnOK"));
    ok_->setFont(songti9());
    ok_->setDefault(true);
    ok_->setGeometry(mulDiv(65, w, 4), mulDiv(41, h, 8), mulDiv(50, w, 4), mulDiv(14, h, 8));
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    edit_->setFocus();
    // Placed now, so that showing it does not centre it over its parent instead.
    centreOnScreen(*this);
}

QString ValuePromptDialog::value() const {
    return edit_->text();
}

void ValuePromptDialog::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ValuePromptDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this); // again, now that the frame may be known
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
