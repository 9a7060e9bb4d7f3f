#include "app/refdata/multiline_grid.h"

#include "app/refdata/dataset_model.h"
#include "core/store/dataset.h"

#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPainter>

#include <algorithm>

namespace zorvane::app {

QList<QMetaObject::Connection> followDatasetCursor(QAbstractItemView& view, DatasetModel& model) {
    QAbstractItemView* grid = &view;
    DatasetModel* source = &model;
    auto showRow = [grid, source](int row) {
        if (row < 0 || grid->model() != source) {
            return;
        }
        const QModelIndex current = grid->currentIndex();
        if (current.isValid() && current.row() == row) {
            return;
        }
        const QModelIndex target = source->index(row, current.isValid() ? current.column() : 0);
        grid->setCurrentIndex(target);
        grid->scrollTo(target);
    };
    QList<QMetaObject::Connection> links;
    links << QObject::connect(source, &DatasetModel::currentRowChanged, grid, showRow);
    if (QItemSelectionModel* selection = view.selectionModel()) {
        links << QObject::connect(selection, &QItemSelectionModel::currentRowChanged, source,
                                  [source](const QModelIndex& current) {
                                      if (current.isValid()) {
                                          source->moveTo(current.row());
                                      }
                                  });
    }
    showRow(model.currentRow());
    return links;
}

QRect MultiLineDelegate::pictureRect(const QRect& cell, const QSize& picture) {
    const QRect inner = cell.adjusted(2, 2, -2, -2);
    if (picture.width() > cell.width() && picture.height() > inner.height()) {
        return inner;
    }
    return QRect(inner.topLeft(), picture);
}

void MultiLineDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const {
    if (lines_ <= 1) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QPalette::ColorGroup group = !(opt.state & QStyle::State_Enabled) ? QPalette::Disabled
                                       : (opt.state & QStyle::State_Active) ? QPalette::Active
                                                                            : QPalette::Inactive;
    const bool selected = opt.state & QStyle::State_Selected;
    QBrush background = opt.palette.brush(group, QPalette::Base);
    if (selected) {
        background = opt.palette.brush(group, QPalette::Highlight);
    } else if (opt.backgroundBrush.style() != Qt::NoBrush) {
        background = opt.backgroundBrush;
    } else if (opt.features & QStyleOptionViewItem::Alternate) {
        background = opt.palette.brush(group, QPalette::AlternateBase);
    }

    painter->save();
    painter->fillRect(opt.rect, background);
    const QRect inner = opt.rect.adjusted(2, 2, -2, -2);
    painter->setClipRect(inner);
    painter->setFont(opt.font);
    painter->setPen(
        opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    // No Qt::TextShowMnemonic: an ampersand is an ordinary character.
    const auto kind =
        static_cast<store::FieldKind>(index.data(DatasetModel::FieldKindRole).toInt());
    switch (kind) {
    case store::FieldKind::Graphic: {
        const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
        if (!picture.isNull()) {
            painter->drawPixmap(pictureRect(opt.rect, picture.size()), picture);
        }
        break;
    }
    case store::FieldKind::Memo:
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, opt.text);
        break;
    default: {
        const Qt::Alignment horizontal = opt.displayAlignment & Qt::AlignHorizontal_Mask;
        painter->drawText(inner, horizontal | Qt::AlignVCenter | Qt::TextSingleLine, opt.text);
        break;
    }
    }
    painter->restore();
}

MultiLineGrid::MultiLineGrid(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem); // whole rows, also by wheel
    delegate_ = new MultiLineDelegate(this);
    setItemDelegate(delegate_);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->installEventFilter(this);
    updateLayout();
}

void MultiLineGrid::setLinesPerRow(int lines) {
    lines = std::max(lines, 1);
    if (lines == lines_) {
        return;
    }
    lines_ = lines;
    delegate_->setLinesPerRow(lines);
    updateLayout();
    viewport()->update();
}

int MultiLineGrid::lineHeight() const {
    // The height of "Wg" is the font's line height: ascent plus descent.
    return QFontMetrics(font()).height() + 3 + (showGrid() ? 1 : 0);
}

int MultiLineGrid::titleHeight() const {
    return QFontMetrics(horizontalHeader()->font()).height() + 4 + (showGrid() ? 1 : 0);
}

void MultiLineGrid::updateLayout() {
    const int rowHeight = lineHeight() * lines_;
    QHeaderView* rows = verticalHeader();
    rows->setMinimumSectionSize(std::min(rowHeight, lineHeight()));
    rows->setDefaultSectionSize(rowHeight);
    horizontalHeader()->setFixedHeight(titleHeight());
}

void MultiLineGrid::resetColumnWidths() {
    auto* source = qobject_cast<DatasetModel*>(model());
    const int charWidth = QFontMetrics(font()).averageCharWidth();
    const QFontMetrics title(horizontalHeader()->font());
    for (int column = 0; column < horizontalHeader()->count(); ++column) {
        int chars = 10;
        if (source && source->dataset() && column < source->dataset()->fieldCount()) {
            const auto& field = source->dataset()->fields()[static_cast<std::size_t>(column)];
            switch (field.kind) {
            case store::FieldKind::Text:
                chars = field.size > 0 ? std::min(field.size, 40) : 20;
                break;
            case store::FieldKind::Number:
                chars = 12;
                break;
            case store::FieldKind::Integer:
                chars = 8;
                break;
            case store::FieldKind::Memo:
            case store::FieldKind::Graphic:
                chars = 10;
                break;
            }
        }
        const QString name = model()->headerData(column, Qt::Horizontal).toString();
        setColumnWidth(column, std::max(chars * charWidth, title.horizontalAdvance(name)) + 8);
    }
}

void MultiLineGrid::setModel(QAbstractItemModel* model) {
    for (const auto& link : std::as_const(cursorLinks_)) {
        disconnect(link);
    }
    cursorLinks_.clear();
    QTableView::setModel(model);
    if (auto* source = qobject_cast<DatasetModel*>(model)) {
        cursorLinks_ = followDatasetCursor(*this, *source);
    }
}

void MultiLineGrid::changeEvent(QEvent* event) {
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateLayout();
    }
}

bool MultiLineGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader() && event->type() == QEvent::FontChange) {
        updateLayout();
    }
    return QTableView::eventFilter(watched, event);
}

} // namespace zorvane::app
