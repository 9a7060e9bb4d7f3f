#pragma once
// An Interaction that answers from a script and logs every exchange: for the tests and the batch
// runner. A question that no rule answers gets its default button; a prompt without a scripted
// value gets its default text; the designer dialog is confirmed unchanged unless told otherwise.

#include "core/design/interaction.h"
#include "core/report/report_document.h"

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zorvane::design {

struct LoggedExchange {
    // "error", "warning", "info", "question", "prompt", "input", "dialog", "preview", "save",
    // "print"
    std::string kind;
    std::string title;
    std::string text;
    std::string answer;
};

class ScriptedInteraction : public Interaction {
public:
    // The first rule whose text occurs in a question's text answers it; the rule is used up
    // unless `repeat` is set.
    void answer(const std::string& textPart, Answer answer, bool repeat = false);
    // Values for prompts and input boxes of this caption, used in order.
    void prompt(const std::string& caption, const std::string& value);
    // Closes the next prompt of this caption without OK.
    void closePrompt(const std::string& caption);
    // The answer of a dialog by its object name ("TfrmNode": a chain number; "TfrmJQD": an item
    // text; "TfrmDNode", "Tfrmb": the text confirmed), used in order; a dialog without one keeps
    // its first row, its preselected item or its first list item.
    void dialogAnswer(const std::string& dialog, const std::string& value);
    void designerAnswer(bool confirm, std::optional<std::string> name = std::nullopt,
                        std::optional<std::string> organisation = std::nullopt);
    // The next save dialog chooses `path` with file type `filter`; without one, it is cancelled.
    void saveAnswer(const std::string& path, int filter = 0);
    // The next open-file dialog chooses `path`; with none queued it is cancelled.
    void openAnswer(const std::string& path);
    // The next printer dialog confirms these settings; without them, it is cancelled.
    void printAnswer(const PrintSettings& settings);
    // Called with each report the preview would show (the GUI tests open the real preview here);
    // without it the preview closes at once.
    std::function<void(const report::Document&)> onPreview;

    Answer ask(const Message& message) override;
    std::optional<std::string> promptQuery(const std::string& caption, const std::string& prompt,
                                           const std::string& value) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    bool editDesigner(DesignerBoxes& boxes) override;
    bool chooseChainNumber(store::Dataset& chains) override;
    int chooseItem(const std::string& dialog, const std::string& caption, const std::string& label,
                   const std::vector<std::string>& items, int preselected) override;
    std::optional<std::string> chooseFromList(const std::string& dialog, const std::string& caption,
                                              const std::string& listLabel,
                                              const std::string& editLabel,
                                              const std::vector<std::string>& items) override;
    void previewReport(const report::Document& document) override;
    std::optional<SavedFile> saveFile(const SaveFileDialog& dialog) override;
    std::optional<std::string> openFile(const OpenFileDialog& dialog) override;
    bool choosePrinter(PrintSettings& settings) override;

    // Every report previewed so far, in order.
    const std::vector<report::Document>& previews() const { return previews_; }
    const std::vector<LoggedExchange>& log() const { return log_; }
    std::vector<Message> messages() const { return messages_; }
    void clearLog();

private:
    struct Rule {
        std::string textPart;
        Answer answer;
        bool repeat;
    };
    struct PromptRule {
        std::string caption;
        std::optional<std::string> value; // nothing: closed without OK
    };
    std::optional<std::string> scriptedPrompt(const std::string& caption);
    std::optional<std::string> scriptedDialog(const std::string& dialog);

    std::vector<Rule> rules_;
    std::deque<PromptRule> prompts_;
    std::deque<std::pair<std::string, std::string>> dialogs_;
    bool designerConfirm_ = true;
    std::optional<std::string> designerName_;
    std::optional<std::string> designerOrganisation_;
    std::deque<SavedFile> saves_;
    std::deque<std::string> opens_;
    std::deque<PrintSettings> prints_;
    std::vector<report::Document> previews_;
    std::vector<LoggedExchange> log_;
    std::vector<Message> messages_;
};

std::string answerName(Answer answer);

} // namespace zorvane::design
