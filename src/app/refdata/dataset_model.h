#pragma once
// A read-only table model over a dataset of the table store: its fields are the columns, its
// rows the rows. It follows the dataset: appends, deletions, opening and closing show at once;
// a closed dataset shows no rows.

#include <QAbstractTableModel>

namespace zorvane::store {
class Dataset;
}

namespace zorvane::app {

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DatasetModel(QObject* parent = nullptr);
    ~DatasetModel() override;

    // The dataset shown, or none. A destroyed dataset unbinds itself.
    void setDataset(store::Dataset* dataset);
    store::Dataset* dataset() const { return dataset_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    void datasetChanged();
    void forget();

    store::Dataset* dataset_ = nullptr;
    int token_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    bool open_ = false;
};

} // namespace zorvane::app
