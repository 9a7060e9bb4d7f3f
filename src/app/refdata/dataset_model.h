#pragma once
// A read-only table model over a dataset of the table store: its fields are the columns (named
// by the field names, in table order), its records the rows. It follows the dataset: appends,
// deletions, edits, opening and closing show at once, and a closed dataset shows no rows. The
// dataset's cursor is the model's current row, so a grid can follow it and move it.

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>

namespace zorvane::store {
class Dataset;
}

namespace zorvane::app {

class DatasetModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // The store::FieldKind of a column, as an int, for delegates that draw by kind.
    static constexpr int FieldKindRole = Qt::UserRole + 1;

    explicit DatasetModel(QObject* parent = nullptr);
    ~DatasetModel() override;

    // The dataset shown, or none. A destroyed dataset unbinds itself.
    void setDataset(store::Dataset* dataset);
    store::Dataset* dataset() const { return dataset_; }

    // The dataset's current row, -1 when it is closed or empty.
    int currentRow() const;
    // Moves the dataset's cursor, as clicking a row of a data grid does.
    void moveTo(int row);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // Display: the value's text (numbers in their shortest form, memos in full); graphic
    // fields have no text and their decoded picture as decoration.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

signals:
    // The dataset's cursor moved to `row` (-1: no current row).
    void currentRowChanged(int row);

private:
    void datasetChanged();
    void forget();
    void takeShape();
    QPixmap picture(int row, int column) const;

    store::Dataset* dataset_ = nullptr;
    int token_ = 0;
    int rows_ = 0;
    int columns_ = 0;
    bool open_ = false;
    int current_ = -1;
    // Decoded pictures by row and column: decoding on every paint would be slow.
    mutable QHash<quint64, QPixmap> pictures_;
};

} // namespace zorvane::app
