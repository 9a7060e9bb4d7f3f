#pragma once
// Small pieces the step panels and pages share.

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <initializer_list>
#include <span>
#include <string>

class QFrame;
class QTextEdit;

namespace zorvane::app {

// A panel's 确定 and 取消 buttons, centred side by side.
inline QHBoxLayout* okCancelRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addSpacing(24);
    row->addWidget(cancel);
    row->addStretch();
    return row;
}

// An optional input: enabled it has the window colour, disabled the grey of an inactive window
// border, so that a field the design does not use stands out. A list without an edit box is
// drawn in the button colour, which takes the grey as well.
inline void setOptionalInput(QWidget* widget, bool enabled) {
    widget->setEnabled(enabled);
    const QColor inactiveBorder(0xD4, 0xD0, 0xC8);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Base, enabled ? QColor(Qt::white) : inactiveBorder);
    palette.setColor(QPalette::Button,
                     enabled ? QGuiApplication::palette().color(QPalette::Button) : inactiveBorder);
    widget->setPalette(palette);
}

// The field texts of the step panels belong to the main state. An edit shows the state's text and
// remembers it; it gives back only a text the user changed since, so that a text the core set
// meanwhile is not overwritten by an old one still on the screen.
inline void showField(QLineEdit* edit, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) {
        edit->setText(shown);
    }
    edit->setProperty("shownField", shown);
}

inline void takeField(const QLineEdit* edit, std::string& text) {
    if (edit->text() != edit->property("shownField").toString()) {
        text = edit->text().toStdString();
    }
}

// The frame of a floating step panel of the work space.
void setUpStepPanel(QFrame& panel, const char* name);
// Fixes the panel at its natural size, at least `minWidth` wide.
void fixPanelSize(QFrame& panel, int minWidth);

// A page header: 20 px 隶书, blue on silver.
QLabel* pageHeader(const QString& text, QWidget* parent);
// A caption in front of a field.
QLabel* caption(const char* text, QWidget* parent);
// A fixed note of several words, wrapped to the panel's width.
QLabel* noteLabel(const char* name, const char* text, QWidget* parent);
// A label whose text the design sets; shown as plain text.
QLabel* valueLabel(const char* name, QWidget* parent);
// The bracketed advice beside a field, in grey.
QLabel* hintLabel(const char* text, QWidget* parent);
// A one-line input of a step panel.
QLineEdit* fieldEdit(const char* name, QWidget* parent);
// A 确定 or 取消 of a step panel; Enter on it presses it, as on every button of the program.
QPushButton* panelButton(const char* name, const char* text, QWidget* parent);
// A read-only memo of fixed lines, as high as its lines, never taking the focus.
QTextEdit* fixedMemo(const char* name, std::span<const char* const> lines, QWidget* parent);

} // namespace zorvane::app
