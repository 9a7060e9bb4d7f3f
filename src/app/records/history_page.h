#pragma once
// The 历史记录 page: the formula picture and the explanation of the current entry above the
// history grid, with a navigator of first, previous, next and last.

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

private:
    void showCurrent();

    DatasetModel* model_;
    QTableView* grid_;
    QLabel* formula_;
    QPlainTextEdit* explanation_;
};

} // namespace zorvane::app
