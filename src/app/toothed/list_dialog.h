#pragma once
// A modal list of values in millimetres with a read-only edit that the selected item fills, and
// one 确定: the pitch dialog TfrmDNode and the chain width dialog Tfrmb. The arrow keys or a
// click select, Enter or a double click confirm, Escape cancels; the title bar has just a close
// box, which presses 确定. The edit starts with the first item.

#include <QDialog>

#include <optional>
#include <string>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zorvane::app {

class ListDialog : public QDialog {
    Q_OBJECT
public:
    // `name`: the dialog's object name.
    ListDialog(const QString& name, const QString& caption, const QString& listLabel,
               const QString& editLabel, const QStringList& items, QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidget* list_;
    QLineEdit* edit_;
    QPushButton* ok_;
};

// Shows the dialog modally and returns the text of its edit, nothing when it was cancelled.
std::optional<std::string> chooseListValue(const std::string& name, const std::string& caption,
                                           const std::string& listLabel,
                                           const std::string& editLabel,
                                           const std::vector<std::string>& items, QWidget* parent);

} // namespace zorvane::app
