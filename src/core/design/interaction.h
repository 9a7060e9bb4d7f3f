#pragma once
// Every modal exchange with the user goes through this interface: message boxes and questions,
// the one-line value prompt, the text input box and the choice dialogs. The window program
// implements it with real dialogs; the tests and the batch runner with scripted answers.

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zorvane::store {
class Dataset;
}
namespace zorvane::report {
struct Document;
}

namespace zorvane::design {

enum class MessageIcon { Error, Information, Question, Warning };
enum class Buttons { Ok, YesNo, YesNoCancel };
// Cancel is also the answer of a box closed by its close box or Escape.
enum class Answer { Ok, Yes, No, Cancel };

struct Message {
    std::string title;
    std::string text;
    MessageIcon icon = MessageIcon::Information;
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;
};

// The six boxes of the designer-information dialog, in the order of the record: designer,
// organisation, design kind, chain form, date, time. The first two can be edited.
using DesignerBoxes = std::array<std::string, 6>;

// A save-file dialog: caption, the file types offered ("PDF 文件 (*.pdf)"), the one selected
// first, the file name proposed and the folder it starts in (empty: the folder last used).
struct SaveFileDialog {
    std::string caption;
    std::vector<std::string> filters;
    int filter = 0;
    std::string fileName;
    std::string defaultSuffix; // added to a name typed without one ("CHN")
    std::string folder;
};

// An open-file dialog: caption, the file types offered, the suffix of a name typed without one
// and the folder it starts in (empty: the folder last used).
struct OpenFileDialog {
    std::string caption;
    std::vector<std::string> filters;
    std::string defaultSuffix;
    std::string folder;
};

struct SavedFile {
    std::string path;
    int filter = 0; // the file type chosen, an index into the dialog's filters
};

// What the printer dialog decides for one printing.
struct PrintSettings {
    std::string printer;    // empty: the system's default printer
    std::string outputFile; // set when the user chose to print into a PDF file
    int copies = 1;
    int fromPage = 0; // 0 and 0: every page
    int toPage = 0;
};

class Interaction {
public:
    virtual ~Interaction() = default;

    virtual Answer ask(const Message& message) = 0;

    // The value prompt: caption, one-line prompt, an edit box holding `value`. The text on OK,
    // nothing when the dialog was closed any other way.
    virtual std::optional<std::string> promptQuery(const std::string& caption,
                                                   const std::string& prompt,
                                                   const std::string& value) = 0;

    // The toolkit's text input box with OK and Cancel: the text on OK, nothing on Cancel.
    virtual std::optional<std::string> inputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& defaultText) = 0;

    // The designer-information dialog over its boxes; true when confirmed. The boxes keep what
    // was typed either way, as the dialog's own boxes do.
    virtual bool editDesigner(DesignerBoxes& boxes) = 0;

    // The chain number dialog TfrmNode over the open query of ChainNoNd (fields "链号" and
    // "节距"). 确定 leaves the query's cursor on the chosen row and answers true; Escape cancels
    // the choice and answers false.
    virtual bool chooseChainNumber(store::Dataset& chains) = 0;

    // A modal choice among `items` in a drop-down list (TfrmJQD): `dialog` is the dialog's object
    // name, `preselected` the item shown first. Returns the index of the item chosen.
    virtual int chooseItem(const std::string& dialog, const std::string& caption,
                           const std::string& label, const std::vector<std::string>& items,
                           int preselected) = 0;

    // A modal list of values with a read-only edit that the selected item fills (TfrmDNode,
    // Tfrmb): `dialog` is the dialog's object name; the first item starts in the edit. 确定
    // returns the edit's text; Escape cancels the choice and returns nothing.
    virtual std::optional<std::string> chooseFromList(const std::string& dialog, const std::string& caption,
                                       const std::string& listLabel, const std::string& editLabel,
                                       const std::vector<std::string>& items) = 0;

    // The print preview of a report, modal: zoom, page navigation, printing through the printer
    // dialog and export through the save dialog. Returns when the user closed it.
    virtual void previewReport(const report::Document& document) = 0;

    // A save-file dialog that asks before an existing file is replaced: the chosen file, nothing
    // on cancel.
    virtual std::optional<SavedFile> saveFile(const SaveFileDialog& dialog) = 0;

    // An open-file dialog: the chosen file, nothing on cancel.
    virtual std::optional<std::string> openFile(const OpenFileDialog& dialog) = 0;

    // The printer dialog: true when the user confirmed printing with `settings`, which start as
    // the proposal and come back as chosen.
    virtual bool choosePrinter(PrintSettings& settings) = 0;
};

// The message boxes the steps use, with the titles, icons and buttons of their kind.
void showError(Interaction& ui, const std::string& text);       // "错误信息"
void showInformation(Interaction& ui, const std::string& text); // "提示信息"
Answer askYesNo(Interaction& ui, const std::string& text,       // "提示信息"
                Answer defaultButton = Answer::Yes);
Answer askYesNoCancel(Interaction& ui, const std::string& text);                  // "提示信息"
Answer warnYesNo(Interaction& ui, const std::string& text, Answer defaultButton); // "警告信息"

// The value prompt as every step uses it: the default text unless the user confirmed another.
std::string PromptValue(Interaction& ui, const std::string& caption, const std::string& prompt,
                        const std::string& defaultText);

} // namespace zorvane::design
