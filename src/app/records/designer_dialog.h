#pragma once
// The designer-information dialog " 设计信息" over the six boxes of the designer record.

#include "core/design/interaction.h"

#include <QDialog>

#include <array>

class QLineEdit;
class QPushButton;

namespace zorvane::app {

class DesignerDialog : public QDialog {
    Q_OBJECT
public:
    explicit DesignerDialog(QWidget* parent = nullptr);

    void load(const design::DesignerBoxes& boxes);
    design::DesignerBoxes boxes() const;
    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 6> edits_{};
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zorvane::app
