#include "app/shell/qt_interaction.h"

#include "app/records/designer_dialog.h"
#include "app/shell/qt_text.h"
#include "app/shell/value_prompt.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace zorvane::app {

using design::Answer;

namespace {

QMessageBox::Icon iconOf(design::MessageIcon icon) {
    switch (icon) {
    case design::MessageIcon::Error:
        return QMessageBox::Critical;
    case design::MessageIcon::Warning:
        return QMessageBox::Warning;
    case design::MessageIcon::Question:
        return QMessageBox::Question;
    case design::MessageIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

} // namespace

Answer QtInteraction::ask(const design::Message& message) {
    QMessageBox box(iconOf(message.icon), qs(message.title), qs(message.text),
                    QMessageBox::NoButton, parent_);
    struct Choice {
        Answer answer;
        QMessageBox::ButtonRole role;
        const char* text;
    };
    std::vector<Choice> choices;
    switch (message.buttons) {
    case design::Buttons::Ok:
        choices = {{Answer::Ok, QMessageBox::AcceptRole, "确定"}};
        break;
    case design::Buttons::YesNo:
        choices = {{Answer::Yes, QMessageBox::YesRole, "是"},
                   {Answer::No, QMessageBox::NoRole, "否"}};
        break;
    case design::Buttons::YesNoCancel:
        choices = {{Answer::Yes, QMessageBox::YesRole, "是"},
                   {Answer::No, QMessageBox::NoRole, "否"},
                   {Answer::Cancel, QMessageBox::RejectRole, "取消"}};
        break;
    }
    std::vector<QPushButton*> buttons;
    for (const auto& choice : choices) {
        QPushButton* button = box.addButton(QString::fromUtf8(choice.text), choice.role);
        buttons.push_back(button);
        if (choice.answer == message.defaultButton) {
            box.setDefaultButton(button);
        }
    }
    // Escape or the close box: Cancel where there is one, else No, else OK.
    box.setEscapeButton(buttons.back());
    box.exec();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (box.clickedButton() == buttons[i]) {
            return choices[i].answer;
        }
    }
    return choices.back().answer;
}

std::optional<std::string> QtInteraction::promptQuery(const std::string& caption,
                                                      const std::string& prompt,
                                                      const std::string& value) {
    QString text = qs(value);
    if (!PromptQuery(qs(caption), qs(prompt), text, parent_)) {
        return std::nullopt;
    }
    return utf8(text);
}

std::optional<std::string> QtInteraction::inputBox(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& defaultText) {
    QInputDialog dialog(parent_);
    dialog.setWindowTitle(qs(caption));
    dialog.setLabelText(qs(prompt));
    dialog.setTextValue(qs(defaultText));
    dialog.setOkButtonText(QStringLiteral("确定"));
    dialog.setCancelButtonText(QStringLiteral("取消"));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return utf8(dialog.textValue());
}

bool QtInteraction::editDesigner(design::DesignerBoxes& boxes) {
    // The boxes live in the designer information, so what was typed survives a cancel.
    DesignerDialog dialog(parent_);
    dialog.load(boxes);
    const bool confirmed = dialog.exec() == QDialog::Accepted;
    boxes = dialog.boxes();
    return confirmed;
}

} // namespace zorvane::app
