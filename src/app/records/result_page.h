#pragma once
// The 设计结果 page: the initial conditions, the design results and, once the sprocket step is
// done, the size area with its drawing and grid.

#include <QWidget>

class QLabel;
class QTableView;
class QToolButton;
class QSplitter;

namespace zorvane::store {
class Table;
}

namespace zorvane::app {

class DatasetModel;

class ResultPage : public QWidget {
    Q_OBJECT
public:
    explicit ResultPage(QWidget* parent = nullptr);

    // The working tables of the open design; null when there is none.
    void bind(store::Table* init, store::Table* result, store::Table* size);
    void setSizeAreaVisible(bool visible);

    QTableView* initGrid() const { return init_; }
    QTableView* resultGrid() const { return result_; }
    QTableView* sizeGrid() const { return size_; }
    QLabel* sizeDrawing() const { return drawing_; }

signals:
    void showWholeDrawing();

private:
    QTableView* grid(const char* name, DatasetModel*& model);

    QTableView* init_;
    QTableView* result_;
    QTableView* size_;
    DatasetModel* initModel_ = nullptr;
    DatasetModel* resultModel_ = nullptr;
    DatasetModel* sizeModel_ = nullptr;
    QWidget* sizeArea_;
    QLabel* drawing_;
    QToolButton* showAll_;
};

} // namespace zorvane::app
