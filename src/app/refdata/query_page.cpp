#include "app/refdata/query_page.h"

#include <QLabel>
#include <QResizeEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace zorvane::app {

namespace {

QToolButton* button(const char* name, const char* text, const char* hint, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QString::fromUtf8(text));
    if (hint) {
        b->setToolTip(QString::fromUtf8(hint));
    }
    b->setFixedSize(48, 24);
    return b;
}

} // namespace

QueryButtonRow::QueryButtonRow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel3"));
    setFixedHeight(28);
    add_ = button("spnAdd", "+", "增大表格行高显示备注和图形(存在时)", this);
    sub_ = button("spnSub", "-", "减小表格行高", this);
    goAhead_ = button("spnGoAhead", "返回", nullptr, this);
    close_ = button("spnCloseTable", "关闭", nullptr, this);
    // Row height and closing act on a shown reference table, which the browser opens.
    for (QToolButton* b : {add_, sub_, close_}) {
        b->setEnabled(false);
    }
}

// With W the row's width and w a button's: spnSub at (W - w) div 3, spnGoAhead at
// 2(W - w) div 3, spnCloseTable at W - w; spnAdd stays at the left edge.
void QueryButtonRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int room = width() - sub_->width();
    add_->move(0, 2);
    sub_->move(room / 3, 2);
    goAhead_->move(2 * room / 3, 2);
    close_->move(room, 2);
}

QueryPage::QueryPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tabDataBase_Query"));
    title_ = new QLabel(QStringLiteral("表头说明"), this);
    title_->setObjectName(QStringLiteral("lblDbQuery"));
    title_->setAlignment(Qt::AlignCenter);
    title_->setStyleSheet(
        QStringLiteral("color: purple; font-size: 19px; text-decoration: underline;"));
    buttons_ = new QueryButtonRow(this);
    message_ = new QLabel(QStringLiteral("双击目录区中的项目进行查询!"), this);
    message_->setObjectName(QStringLiteral("pnlDatQry"));
    message_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(buttons_);
    layout->addWidget(message_, 1);
    connect(buttons_->goAhead(), &QToolButton::clicked, this, &QueryPage::backToDesign);
}

} // namespace zorvane::app
