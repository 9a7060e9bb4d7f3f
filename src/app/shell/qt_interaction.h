#pragma once
// The Interaction of the window program: real message boxes, the value prompt, the toolkit's
// text input box and the designer dialog, modal over the main window.

#include "core/design/interaction.h"

class QWidget;

namespace zorvane::app {

class QtInteraction : public design::Interaction {
public:
    void setParent(QWidget* parent) { parent_ = parent; }

    design::Answer ask(const design::Message& message) override;
    std::optional<std::string> promptQuery(const std::string& caption, const std::string& prompt,
                                           const std::string& value) override;
    std::optional<std::string> inputBox(const std::string& caption, const std::string& prompt,
                                        const std::string& defaultText) override;
    bool editDesigner(design::DesignerBoxes& boxes) override;

private:
    QWidget* parent_ = nullptr;
};

} // namespace zorvane::app
