#include "core/design/interaction.h"

namespace zorvane::design {

void showError(Interaction& ui, const std::string& text) {
    ui.ask({"错误信息", text, MessageIcon::Error, Buttons::Ok, Answer::Ok});
}

void showInformation(Interaction& ui, const std::string& text) {
    ui.ask({"提示信息", text, MessageIcon::Information, Buttons::Ok, Answer::Ok});
}

Answer askYesNo(Interaction& ui, const std::string& text, Answer defaultButton) {
    return ui.ask({"提示信息", text, MessageIcon::Question, Buttons::YesNo, defaultButton});
}

Answer askYesNoCancel(Interaction& ui, const std::string& text) {
    return ui.ask({"提示信息", text, MessageIcon::Question, Buttons::YesNoCancel, Answer::Yes});
}

Answer warnYesNo(Interaction& ui, const std::string& text, Answer defaultButton) {
    return ui.ask({"警告信息", text, MessageIcon::Warning, Buttons::YesNo, defaultButton});
}

std::string PromptValue(Interaction& ui, const std::string& caption, const std::string& prompt,
                        const std::string& defaultText) {
    if (auto confirmed = ui.promptQuery(caption, prompt, defaultText)) {
        return *confirmed;
    }
    return defaultText;
}

} // namespace zorvane::design
