#include "core/design/scripted_interaction.h"

#include "core/design/problem.h"
#include "core/store/dataset.h"

#include <algorithm>

namespace zorvane::design {

namespace {

std::string kindOf(const Message& message) {
    switch (message.icon) {
    case MessageIcon::Error:
        return "error";
    case MessageIcon::Warning:
        return "warning";
    case MessageIcon::Question:
        return "question";
    case MessageIcon::Information:
        break;
    }
    return message.buttons == Buttons::Ok ? "info" : "question";
}

bool allowed(Buttons buttons, Answer answer) {
    switch (buttons) {
    case Buttons::Ok:
        return answer == Answer::Ok;
    case Buttons::YesNo:
        return answer == Answer::Yes || answer == Answer::No;
    case Buttons::YesNoCancel:
        return answer != Answer::Ok;
    }
    return false;
}

} // namespace

std::string answerName(Answer answer) {
    switch (answer) {
    case Answer::Ok:
        return "ok";
    case Answer::Yes:
        return "yes";
    case Answer::No:
        return "no";
    case Answer::Cancel:
        return "cancel";
    }
    return "ok";
}

void ScriptedInteraction::answer(const std::string& textPart, Answer answer, bool repeat) {
    rules_.push_back({textPart, answer, repeat});
}

void ScriptedInteraction::prompt(const std::string& caption, const std::string& value) {
    prompts_.push_back({caption, value});
}

void ScriptedInteraction::closePrompt(const std::string& caption) {
    prompts_.push_back({caption, std::nullopt});
}

void ScriptedInteraction::designerAnswer(bool confirm, std::optional<std::string> name,
                                         std::optional<std::string> organisation) {
    designerConfirm_ = confirm;
    designerName_ = std::move(name);
    designerOrganisation_ = std::move(organisation);
}

Answer ScriptedInteraction::ask(const Message& message) {
    Answer result = message.defaultButton;
    for (auto it = rules_.begin(); it != rules_.end(); ++it) {
        if (message.text.find(it->textPart) != std::string::npos &&
            allowed(message.buttons, it->answer)) {
            result = it->answer;
            if (!it->repeat) {
                rules_.erase(it);
            }
            break;
        }
    }
    messages_.push_back(message);
    log_.push_back({kindOf(message), message.title, message.text, answerName(result)});
    return result;
}

std::optional<std::string> ScriptedInteraction::scriptedPrompt(const std::string& caption) {
    for (auto it = prompts_.begin(); it != prompts_.end(); ++it) {
        if (it->caption == caption) {
            auto value = it->value;
            prompts_.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

std::optional<std::string> ScriptedInteraction::promptQuery(const std::string& caption,
                                                            const std::string& prompt,
                                                            const std::string& value) {
    const bool scripted = std::any_of(prompts_.begin(), prompts_.end(),
                                      [&](const PromptRule& r) { return r.caption == caption; });
    const std::optional<std::string> result = scripted ? scriptedPrompt(caption) : value;
    log_.push_back({"prompt", caption, prompt, result.value_or("<关闭>")});
    return result;
}

std::optional<std::string> ScriptedInteraction::inputBox(const std::string& caption,
                                                         const std::string& prompt,
                                                         const std::string& defaultText) {
    const bool scripted = std::any_of(prompts_.begin(), prompts_.end(),
                                      [&](const PromptRule& r) { return r.caption == caption; });
    const std::optional<std::string> result = scripted ? scriptedPrompt(caption) : defaultText;
    log_.push_back({"input", caption, prompt, result.value_or("<取消>")});
    return result;
}

bool ScriptedInteraction::editDesigner(DesignerBoxes& boxes) {
    if (designerName_) {
        boxes[0] = *designerName_;
    }
    if (designerOrganisation_) {
        boxes[1] = *designerOrganisation_;
    }
    log_.push_back({"dialog", " 设计信息", boxes[0], designerConfirm_ ? "ok" : "cancel"});
    return designerConfirm_;
}

void ScriptedInteraction::dialogAnswer(const std::string& dialog, const std::string& value) {
    dialogs_.emplace_back(dialog, value);
}

std::optional<std::string> ScriptedInteraction::scriptedDialog(const std::string& dialog) {
    for (auto it = dialogs_.begin(); it != dialogs_.end(); ++it) {
        if (it->first == dialog) {
            std::string value = it->second;
            dialogs_.erase(it);
            return value;
        }
    }
    return std::nullopt;
}

bool ScriptedInteraction::chooseChainNumber(store::Dataset& chains) {
    chains.first();
    if (const auto wanted = scriptedDialog("TfrmNode")) {
        for (int row = 0; row < chains.recordCount(); ++row) {
            chains.moveTo(row);
            if (chains.text("链号") == *wanted) {
                break;
            }
        }
        if (chains.isEmpty() || chains.text("链号") != *wanted) {
            // The dialog lists the table's chains only: a chain number it lacks is no choice.
            log_.push_back({"dialog", "选择链号和节距", "优先选用节距较大的链号!", *wanted});
            throw UnlistedChoice("链号“" + *wanted + "”不在链号表“" + chains.displayName() +
                                 "”中，只能选择表中列出的链号。");
        }
    }
    const std::string chosen = chains.isEmpty() ? std::string() : chains.text("链号");
    log_.push_back({"dialog", "选择链号和节距", "优先选用节距较大的链号!", chosen});
    return true;
}

int ScriptedInteraction::chooseItem(const std::string& dialog, const std::string& caption,
                                    const std::string& label, const std::vector<std::string>& items,
                                    int preselected) {
    int chosen = preselected;
    if (const auto wanted = scriptedDialog(dialog)) {
        const auto it = std::find(items.begin(), items.end(), *wanted);
        if (it != items.end()) {
            chosen = static_cast<int>(it - items.begin());
        }
    }
    const auto at = static_cast<std::size_t>(chosen);
    log_.push_back({"dialog", caption, label, at < items.size() ? items[at] : std::string()});
    return chosen;
}

std::optional<std::string>
ScriptedInteraction::chooseFromList(const std::string& dialog, const std::string& caption,
                                    const std::string& listLabel, const std::string& /*editLabel*/,
                                    const std::vector<std::string>& items) {
    const std::string chosen =
        scriptedDialog(dialog).value_or(items.empty() ? std::string() : items.front());
    log_.push_back({"dialog", caption, listLabel, chosen});
    return chosen;
}

void ScriptedInteraction::saveAnswer(const std::string& path, int filter) {
    saves_.push_back({path, filter});
}

void ScriptedInteraction::printAnswer(const PrintSettings& settings) {
    prints_.push_back(settings);
}

void ScriptedInteraction::previewReport(const report::Document& document) {
    previews_.push_back(document);
    log_.push_back({"preview", document.caption, document.name, "closed"});
    if (onPreview) {
        onPreview(document);
    }
}

std::optional<SavedFile> ScriptedInteraction::saveFile(const SaveFileDialog& dialog) {
    std::optional<SavedFile> chosen;
    if (!saves_.empty()) {
        chosen = saves_.front();
        saves_.pop_front();
    }
    log_.push_back({"save", dialog.caption, dialog.fileName, chosen ? chosen->path : "<取消>"});
    return chosen;
}

void ScriptedInteraction::openAnswer(const std::string& path) {
    opens_.push_back(path);
}

std::optional<std::string> ScriptedInteraction::openFile(const OpenFileDialog& dialog) {
    std::optional<std::string> chosen;
    if (!opens_.empty()) {
        chosen = opens_.front();
        opens_.pop_front();
    }
    log_.push_back({"open", dialog.caption, "", chosen.value_or("<取消>")});
    return chosen;
}

bool ScriptedInteraction::choosePrinter(PrintSettings& settings) {
    const bool confirmed = !prints_.empty();
    if (confirmed) {
        settings = prints_.front();
        prints_.pop_front();
    }
    log_.push_back({"print", "打印", settings.printer, confirmed ? "ok" : "cancel"});
    return confirmed;
}

void ScriptedInteraction::clearLog() {
    log_.clear();
    messages_.clear();
    previews_.clear();
}

} // namespace zorvane::design
