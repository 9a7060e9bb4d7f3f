#include "app/shell/panel_parts.h"

#include "app/shell/look.h"

#include <QFrame>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>

#include <cmath>

namespace zorvane::app {

void setUpStepPanel(QFrame& panel, const char* name) {
    panel.setObjectName(QString::fromLatin1(name));
    panel.setFrameShape(QFrame::StyledPanel);
    panel.setFrameShadow(QFrame::Raised);
    panel.setAutoFillBackground(true);
}

void fixPanelSize(QFrame& panel, int minWidth) {
    panel.setFixedSize(panel.sizeHint().expandedTo(QSize(minWidth, 0)));
}

QLabel* caption(const char* text, QWidget* parent) {
    return new QLabel(QString::fromUtf8(text), parent);
}

QLabel* noteLabel(const char* name, const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QLabel* valueLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setTextFormat(Qt::PlainText);
    return label;
}

QLabel* hintLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setTextFormat(Qt::PlainText);
    setTextColour(*label, QColor(0x80, 0x80, 0x80));
    return label;
}

QLabel* pageHeader(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignCenter);
    label->setFont(pixelFont("隶书", 20));
    label->setMargin(2);
    setTextColour(*label, Qt::blue);
    setBackground(*label, QColor(0xC0, 0xC0, 0xC0));
    return label;
}

QLineEdit* fieldEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setFixedWidth(90);
    return edit;
}

QPushButton* panelButton(const char* name, const char* text, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(true);
    return button;
}

QTextEdit* fixedMemo(const char* name, std::span<const char* const> lines, QWidget* parent) {
    auto* memo = new QTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setLineWrapMode(QTextEdit::NoWrap);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList text;
    for (const char* line : lines) {
        text << QString::fromUtf8(line);
    }
    memo->setPlainText(text.join(QLatin1Char('\n')));
    // The laid-out document, not the font's metrics: the Chinese glyphs come from a fallback
    // face whose lines are higher than those of the widget's own font.
    const QSizeF document = memo->document()->size();
    const int frame = 2 * memo->frameWidth();
    memo->setMinimumWidth(static_cast<int>(std::ceil(document.width())) + frame);
    memo->setFixedHeight(static_cast<int>(std::ceil(document.height())) + frame);
    return memo;
}

} // namespace zorvane::app
