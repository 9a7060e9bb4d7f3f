#pragma once
// The data grid of the reference browser and the record pages: a read-only table view whose
// rows are LinesPerRow text lines high. At more than one line per row, memo columns show their
// text word-wrapped and picture columns show the picture itself.

#include <QList>
#include <QStyledItemDelegate>
#include <QTableView>

namespace zorvane::app {

class DatasetModel;

// Keeps the view's current row and the dataset's cursor together, both ways, as a data-bound
// grid does. The connections live as long as the view and the model.
QList<QMetaObject::Connection> followDatasetCursor(QAbstractItemView& view, DatasetModel& model);

// Draws the cells of a grid of several lines per row by the field kind of their column.
class MultiLineDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit MultiLineDelegate(QObject* parent = nullptr) : QStyledItemDelegate(parent) {}

    void setLinesPerRow(int lines) { lines_ = lines; }
    int linesPerRow() const { return lines_; }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

    // Where a picture of `picture` size goes in a cell of `cell` (inside its 2 px margin):
    // stretched over the inner rectangle when it is wider than the column and taller than that
    // rectangle, else at natural size at its top-left corner.
    static QRect pictureRect(const QRect& cell, const QSize& picture);

private:
    int lines_ = 1;
};

class MultiLineGrid : public QTableView {
    Q_OBJECT
public:
    explicit MultiLineGrid(QWidget* parent = nullptr);

    int linesPerRow() const { return lines_; }
    // Values below 1 count as 1.
    void setLinesPerRow(int lines);

    // One text line of a row: "Wg" in the grid's font plus 3 px, plus the grid line when shown.
    int lineHeight() const;
    // The title row: "Wg" in the title font plus 4 px, plus the grid line when shown.
    int titleHeight() const;

    // Gives every column its default width again: wide enough for its title and for a value of
    // the field's usual width.
    void resetColumnWidths();

    void setModel(QAbstractItemModel* model) override;

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateLayout();

    int lines_ = 1;
    MultiLineDelegate* delegate_;
    QList<QMetaObject::Connection> cursorLinks_;
};

} // namespace zorvane::app
