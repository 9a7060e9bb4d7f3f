#pragma once
// The Interaction of the window program: real message boxes, the value prompt, the toolkit's
// text input box, the designer dialog and the choice dialogs of the steps, each modal over the
// parent widget given (the main window), or over the whole program while there is none.

#include "core/design/interaction.h"

class QWidget;

namespace zorvane::app {

class QtInteraction : public design::Interaction {
public:
    explicit QtInteraction(QWidget* parent = nullptr) : parent_(parent) {}

    void setParent(QWidget* parent) { parent_ = parent; }
    QWidget* parent() const { return parent_; }

    // A message box with the title, icon, buttons and default button of `message`. Escape and
    // the close box answer Cancel on a 是/否/取消 box, No on a 是/否 box and Ok on a 确定 box.
    design::Answer ask(const design::Message& message) override;
    std::optional<std::string> promptQuery(const std::string& caption, const std::string& prompt,
                                           const std::string& value) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    bool editDesigner(design::DesignerBoxes& boxes) override;
    bool chooseChainNumber(store::Dataset& chains) override;
    int chooseItem(const std::string& dialog, const std::string& caption, const std::string& label,
                   const std::vector<std::string>& items, int preselected) override;
    std::optional<std::string> chooseFromList(const std::string& dialog, const std::string& caption,
                                              const std::string& listLabel,
                                              const std::string& editLabel,
                                              const std::vector<std::string>& items) override;
    void previewReport(const report::Document& document) override;
    std::optional<design::SavedFile> saveFile(const design::SaveFileDialog& dialog) override;
    std::optional<std::string> openFile(const design::OpenFileDialog& dialog) override;
    bool choosePrinter(design::PrintSettings& settings) override;

private:
    QWidget* parent_;
};

} // namespace zorvane::app
