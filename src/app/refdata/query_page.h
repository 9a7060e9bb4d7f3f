#pragma once
// The 数据库查询 page: the title of the table shown, the button row (+, -, 返回, 关闭), the
// reference table in a multi-line grid with its child table beside it and the navigator below,
// and under them the table's description and picture. The reference browser fills it.

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QToolButton;

namespace zorvane::app {

class MultiLineGrid;

// The button row Panel3: its buttons spread evenly whatever its width.
class QueryButtonRow : public QWidget {
    Q_OBJECT
public:
    explicit QueryButtonRow(QWidget* parent = nullptr);
    QToolButton* add() const { return add_; }
    QToolButton* sub() const { return sub_; }
    QToolButton* goAhead() const { return goAhead_; }
    QToolButton* closeTable() const { return close_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* add_;
    QToolButton* sub_;
    QToolButton* goAhead_;
    QToolButton* close_;
};

class QueryPage : public QWidget {
    Q_OBJECT
public:
    explicit QueryPage(QWidget* parent = nullptr);
    QueryButtonRow* buttons() const { return buttons_; }

    QLabel* title() const { return title_; }
    // The text of pnlDatQry, shown while no table is.
    QLabel* message() const { return message_; }
    MultiLineGrid* grid() const { return grid_; }
    MultiLineGrid* childGrid() const { return child_; }
    QWidget* navigatorBar() const { return navigatorBar_; }
    QToolButton* showAll() const { return showAll_; }
    QPlainTextEdit* description() const { return description_; }
    QLabel* picture() const { return picture_; }
    QWidget* tableArea() const { return tableArea_; }
    QWidget* lowerArea() const { return lowerArea_; }

    // No table: the message over the whole page, every grid and the lower area hidden.
    void showMessage(const QString& text);
    // A table: the grid and the navigator; the child grid beside it when `withChild`, taking
    // what the grid's 40 % of the width leaves.
    void showTable(bool withChild);
    // The description and picture area below the tables, 40 % of the page's height.
    void showLowerArea();

signals:
    void backToDesign();
    void wholePictureWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyChildShare();
    void applyLowerShare();

    bool childShare_ = false;
    bool lowerShare_ = false;
    QLabel* title_;
    QLabel* message_;
    QueryButtonRow* buttons_;
    QSplitter* vertical_;   // Splitter5: the tables above, the description below
    QSplitter* horizontal_; // Splitter13: the grid and the child grid
    QWidget* tableArea_;    // pnlDatQry
    MultiLineGrid* grid_;
    MultiLineGrid* child_;
    QWidget* navigatorBar_; // pnlMdlEnd
    QToolButton* showAll_;
    QWidget* lowerArea_; // pnlDbQryEnd
    QPlainTextEdit* description_;
    QLabel* picture_;
};

} // namespace zorvane::app
