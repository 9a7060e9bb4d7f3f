#pragma once
// The 历史记录 page: the formula picture and the explanation of the current entry above the
// history grid, with a navigator of first, previous, next and last.

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QTableView;

namespace zorvane::store {
class Table;
}

namespace zorvane::app {

class DatasetModel;

class HistoryPage : public QWidget {
    Q_OBJECT
public:
    explicit HistoryPage(QWidget* parent = nullptr);

    void bind(store::Table* history);
    QTableView* grid() const { return grid_; }
    QLabel* formula() const { return formula_; }
    QPlainTextEdit* explanation() const { return explanation_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showCurrent();
    void fitFormula();

    DatasetModel* model_;
    QTableView* grid_;
    QLabel* formula_;
    QPixmap picture_; // the current entry's formula as stored
    QPlainTextEdit* explanation_;
};

} // namespace zorvane::app
