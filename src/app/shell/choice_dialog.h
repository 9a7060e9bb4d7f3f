#pragma once
// A modal choice among a few items in a drop-down list, with one 确定: the redesign choice
// TfrmJQD and its kind. Only the system menu and close box are on its title bar; closed that
// way, it answers the item it was opened with.

#include <QDialog>

#include <string>
#include <vector>

class QComboBox;
class QPushButton;

namespace zorvane::app {

class ChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // `name`: the dialog's object name.
    ChoiceDialog(const QString& name, const QString& caption, const QString& label,
                 const QStringList& items, int preselected, QWidget* parent = nullptr);

    QComboBox* list() const { return list_; }
    QPushButton* okButton() const { return ok_; }
    // The item chosen with 确定, else the preselected one.
    int choice() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QComboBox* list_;
    QPushButton* ok_;
    int preselected_;
};

// Shows the dialog modally and returns its choice.
int chooseFromDropDown(const std::string& name, const std::string& caption,
                       const std::string& label, const std::vector<std::string>& items,
                       int preselected, QWidget* parent);

} // namespace zorvane::app
