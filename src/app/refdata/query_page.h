#pragma once
// The 数据库查询 page: the title of the table shown, the button row (+, -, 返回, 关闭) and the
// area where the reference browser shows its tables.

#include <QWidget>

class QLabel;
class QToolButton;

namespace zorvane::app {

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

signals:
    void backToDesign();

private:
    QLabel* title_;
    QLabel* message_;
    QueryButtonRow* buttons_;
};

} // namespace zorvane::app
