#include "app/refdata/dataset_model.h"

#include "app/shell/qt_text.h"
#include "core/store/dataset.h"

#include <exception>

namespace zorvane::app {

namespace {

quint64 cellKey(int row, int column) {
    return (static_cast<quint64>(static_cast<quint32>(row)) << 32) | static_cast<quint32>(column);
}

} // namespace

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
    takeShape();
    endResetModel();
    emit currentRowChanged(current_);
}

void DatasetModel::takeShape() {
    open_ = dataset_ && dataset_->isOpen();
    rows_ = open_ ? dataset_->recordCount() : 0;
    columns_ = dataset_ ? dataset_->fieldCount() : 0;
    current_ = open_ ? dataset_->recNo() : -1;
    pictures_.clear();
}

// The dataset is being destroyed: show nothing, and never touch it again.
void DatasetModel::forget() {
    beginResetModel();
    dataset_ = nullptr;
    token_ = 0;
    takeShape();
    endResetModel();
    emit currentRowChanged(-1);
}

// The store says only that something changed. Rows, fields or the open state changing resets
// the view; otherwise a moved cursor is a move, and a cursor that stayed put may have had its row
// edited in place, the only change a dataset makes without changing its shape.
void DatasetModel::datasetChanged() {
    const bool open = dataset_->isOpen();
    const int rows = open ? dataset_->recordCount() : 0;
    const int columns = dataset_->fieldCount();
    const int current = open ? dataset_->recNo() : -1;
    if (open != open_ || rows != rows_ || columns != columns_) {
        beginResetModel();
        takeShape();
        endResetModel();
        emit currentRowChanged(current_);
    } else if (current != current_) {
        current_ = current;
        emit currentRowChanged(current_);
    } else if (current >= 0 && columns > 0) {
        for (int column = 0; column < columns; ++column) {
            pictures_.remove(cellKey(current, column));
        }
        emit dataChanged(index(current, 0), index(current, columns - 1));
    }
}

int DatasetModel::currentRow() const {
    return current_;
}

void DatasetModel::moveTo(int row) {
    if (dataset_ && open_ && row >= 0 && row < rows_ && row != dataset_->recNo()) {
        dataset_->moveTo(row);
    }
}

int DatasetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int DatasetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QPixmap DatasetModel::picture(int row, int column) const {
    const quint64 key = cellKey(row, column);
    if (auto found = pictures_.constFind(key); found != pictures_.constEnd()) {
        return *found;
    }
    QPixmap pixmap;
    const auto& value = dataset_->row(row)[static_cast<std::size_t>(column)];
    if (value.isBytes() && !value.bytes().empty()) {
        pixmap.loadFromData(value.bytes().data(), static_cast<uint>(value.bytes().size()));
    }
    pictures_.insert(key, pixmap);
    return pixmap;
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const {
    if (!dataset_ || !open_ || !index.isValid() || index.row() >= rows_ ||
        index.column() >= columns_) {
        return {};
    }
    const auto column = static_cast<std::size_t>(index.column());
    const store::FieldKind kind = dataset_->fields()[column].kind;
    // A value the store cannot read (a damaged blob file) shows as an empty cell rather than
    // breaking the paint of the whole grid.
    try {
        switch (role) {
        case FieldKindRole:
            return static_cast<int>(kind);
        case Qt::DisplayRole:
        case Qt::ToolTipRole:
            if (kind == store::FieldKind::Graphic) {
                return role == Qt::DisplayRole ? QVariant(QString()) : QVariant();
            }
            return qs(dataset_->row(index.row())[column].asText());
        case Qt::DecorationRole:
            if (kind == store::FieldKind::Graphic) {
                const QPixmap pixmap = picture(index.row(), index.column());
                return pixmap.isNull() ? QVariant() : QVariant(pixmap);
            }
            return {};
        case Qt::TextAlignmentRole:
            if (kind == store::FieldKind::Number || kind == store::FieldKind::Integer) {
                return QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter));
            }
            return {};
        default:
            return {};
        }
    } catch (const std::exception&) {
        return {};
    }
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) {
        return {};
    }
    if (orientation == Qt::Horizontal && dataset_ && section >= 0 && section < columns_) {
        return qs(dataset_->fields()[static_cast<std::size_t>(section)].name);
    }
    if (orientation == Qt::Vertical && section >= 0 && section < rows_) {
        return section + 1;
    }
    return {};
}

} // namespace zorvane::app
