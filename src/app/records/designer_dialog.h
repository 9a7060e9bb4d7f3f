#pragma once
// The designer-information dialog " 设计信息": one page " 摘要信息" with the six boxes of the
// designer record, and 确  认 / 取  消 below it. The boxes themselves belong to the core's
// designer information; this dialog only shows and edits them while it is open.

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

    // Boxes in record order: designer, organisation, kind, form, date, time.
    void load(const design::DesignerBoxes& boxes);
    design::DesignerBoxes boxes() const;

    QLineEdit* box(std::size_t recordIndex) const { return edits_.at(recordIndex); }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // The background of the read-only boxes: the system's classic scroll-bar grey.
    static QColor readOnlyBackground();

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::array<QLineEdit*, 6> edits_{};
    QPushButton* ok_;
    QPushButton* cancel_;
};

} // namespace zorvane::app
