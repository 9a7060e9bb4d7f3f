#include "app/refdata/dataset_model.h"

#include "app/shell/qt_text.h"
#include "core/store/dataset.h"

#include <QPixmap>

namespace zorvane::app {

DatasetModel::DatasetModel(QObject* parent) : QAbstractTableModel(parent) {}

DatasetModel::~DatasetModel() {
    if (dataset_) {
        dataset_->unsubscribe(token_);
    }
}

void DatasetModel::setDataset(store::Dataset* dataset) {
    if (dataset == dataset_) {
        return;
    }
    beginResetModel();
    if (dataset_) {
        dataset_->unsubscribe(token_);
    }
    dataset_ = dataset;
    token_ = dataset_ ? dataset_->subscribe([this] { datasetChanged(); }, [this] { forget(); }) : 0;
    open_ = dataset_ && dataset_->isOpen();
    rows_ = open_ ? dataset_->recordCount() : 0;
    columns_ = dataset_ ? dataset_->fieldCount() : 0;
    endResetModel();
}

// The dataset was destroyed: show nothing, and never touch it again.
void DatasetModel::forget() {
    beginResetModel();
    dataset_ = nullptr;
    token_ = 0;
    open_ = false;
    rows_ = 0;
    columns_ = 0;
    endResetModel();
}

// A change of rows, fields or open state resets the view; otherwise values may have changed in
// place (an edit), and the rows are redrawn.
void DatasetModel::datasetChanged() {
    const bool open = dataset_->isOpen();
    const int rows = open ? dataset_->recordCount() : 0;
    const int columns = dataset_->fieldCount();
    if (open != open_ || rows != rows_ || columns != columns_) {
        beginResetModel();
        open_ = open;
        rows_ = rows;
        columns_ = columns;
        endResetModel();
    } else if (rows > 0 && columns > 0) {
        emit dataChanged(index(0, 0), index(rows - 1, columns - 1));
    }
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!dataset_ || !open_ || !index.isValid() || index.row() >= rows_ ||
        index.column() >= columns_) {
        return {};
    }
    const auto& field = dataset_->fields()[static_cast<std::size_t>(index.column())];
    const auto& value = dataset_->row(index.row())[static_cast<std::size_t>(index.column())];
    if (field.kind == store::FieldKind::Graphic) {
        if (role == Qt::DecorationRole && value.isBytes()) {
            QPixmap pixmap;
            pixmap.loadFromData(value.bytes().data(), static_cast<unsigned>(value.bytes().size()));
            return pixmap;
        }
        return {};
    }
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole) {
        return qs(value.asText());
    }
    return {};
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal && dataset_ && section < columns_) {
        return qs(dataset_->fields()[static_cast<std::size_t>(section)].name);
    }
    if (orientation == Qt::Vertical) {
        return section + 1;
    }
    return {};
}

} // namespace zorvane::app
