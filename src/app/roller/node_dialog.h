#pragma once
// The chain number dialog TfrmNode: the chains of the reference table in a read-only grid, the
// chain number and pitch of the current row, and 确定 (the close box presses it). The arrow keys
// or a click choose a row, Enter or a double click confirm it, Escape cancels. The grid moves
// the dataset's cursor, so the row shown when 确定 is pressed is the one the caller reads.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace zorvane::store {
class Dataset;
}

namespace zorvane::app {

class DatasetModel;

class NodeDialog : public QDialog {
    Q_OBJECT
public:
    explicit NodeDialog(store::Dataset& chains, QWidget* parent = nullptr);

    QTableView* grid() const { return grid_; }
    QLineEdit* chainNumber() const { return chainNumber_; }
    QLineEdit* pitch() const { return pitch_; }
    QPushButton* okButton() const { return ok_; }

protected:
    // The close box presses 确定.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showCurrent();

    store::Dataset& chains_;
    DatasetModel* model_;
    QTableView* grid_;
    QLineEdit* chainNumber_;
    QLineEdit* pitch_;
    QPushButton* ok_;
};

} // namespace zorvane::app
