#include "app/refdata/query_page.h"

#include "app/refdata/multiline_grid.h"
#include "app/shell/look.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

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

// Grid fonts: 宋体 12 px black, titles navy bold 13 px.
MultiLineGrid* makeGrid(const char* name, QWidget* parent) {
    auto* g = new MultiLineGrid(parent);
    g->setObjectName(QString::fromLatin1(name));
    QFont cells(QStringLiteral("宋体"));
    cells.setPixelSize(12);
    g->setFont(cells);
    QFont titles(QStringLiteral("宋体"));
    titles.setPixelSize(13);
    titles.setBold(true);
    g->horizontalHeader()->setFont(titles);
    setTextColour(*g->horizontalHeader(), QColor(0x00, 0x00, 0x80));
    return g;
}

// A share of a length, rounded to the nearest whole pixel with halves to even.
int share(double fraction, int length) {
    return static_cast<int>(std::nearbyint(fraction * length));
}

} // namespace

QueryButtonRow::QueryButtonRow(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Panel3"));
    setFixedHeight(28);
    add_ = button("spnAdd", "+", "增大表格行高显示备注和图形(存在时)", this);
    sub_ = button("spnSub", "-", "减小表格行高", this);
    goAhead_ = button("spnGoAhead", "返回", nullptr, this);
    close_ = button("spnCloseTable", "关闭", nullptr, this);
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
    QFont titleFont = title_->font();
    titleFont.setPixelSize(19);
    titleFont.setUnderline(true);
    title_->setFont(titleFont);
    setTextColour(*title_, QColor(0x80, 0x00, 0x80));
    buttons_ = new QueryButtonRow(this);

    vertical_ = new QSplitter(Qt::Vertical, this);
    vertical_->setObjectName(QStringLiteral("Splitter5"));
    vertical_->setChildrenCollapsible(false);
    vertical_->installEventFilter(this);
    connect(vertical_, &QSplitter::splitterMoved, this, [this] { lowerShare_ = false; });

    tableArea_ = new QWidget(vertical_);
    tableArea_->setObjectName(QStringLiteral("pnlDatQry"));
    message_ = new QLabel(QStringLiteral("双击目录区中的项目进行查询!"), tableArea_);
    message_->setObjectName(QStringLiteral("lblDatQry"));
    message_->setAlignment(Qt::AlignCenter);
    horizontal_ = new QSplitter(Qt::Horizontal, tableArea_);
    horizontal_->setObjectName(QStringLiteral("Splitter13"));
    horizontal_->setChildrenCollapsible(false);
    grid_ = makeGrid("grdDbQuery", horizontal_);
    child_ = makeGrid("grdDbQueryChild", horizontal_);
    horizontal_->addWidget(grid_);
    horizontal_->addWidget(child_);
    horizontal_->installEventFilter(this);
    connect(horizontal_, &QSplitter::splitterMoved, this, [this] { childShare_ = false; });

    navigatorBar_ = new QWidget(tableArea_);
    navigatorBar_->setObjectName(QStringLiteral("pnlMdlEnd"));
    auto* navigator = new QWidget(navigatorBar_);
    navigator->setObjectName(QStringLiteral("DBNavigator2"));
    auto* navLayout = new QHBoxLayout(navigator);
    navLayout->setContentsMargins(0, 0, 0, 0);
    for (const auto& [name, text] : {std::pair{"nav2First", "|◀"}, std::pair{"nav2Prior", "◀"},
                                     std::pair{"nav2Next", "▶"}, std::pair{"nav2Last", "▶|"}}) {
        auto* b = new QToolButton(navigator);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromUtf8(text));
        navLayout->addWidget(b);
    }
    showAll_ = new QToolButton(navigatorBar_);
    showAll_->setObjectName(QStringLiteral("spnShowAll"));
    showAll_->setText(QStringLiteral("全图显示"));
    auto* barLayout = new QHBoxLayout(navigatorBar_);
    barLayout->setContentsMargins(0, 2, 0, 2);
    barLayout->addWidget(navigator);
    barLayout->addStretch();
    barLayout->addWidget(showAll_);

    auto* tableLayout = new QVBoxLayout(tableArea_);
    tableLayout->setContentsMargins(0, 0, 0, 0);
    tableLayout->addWidget(message_, 1);
    tableLayout->addWidget(horizontal_, 1);
    tableLayout->addWidget(navigatorBar_);

    lowerArea_ = new QWidget(vertical_);
    lowerArea_->setObjectName(QStringLiteral("pnlDbQryEnd"));
    auto* memoPanel = new QWidget(lowerArea_);
    memoPanel->setObjectName(QStringLiteral("pnlmmo"));
    auto* memoHead = new QLabel(QStringLiteral("链传动数据说明"), memoPanel);
    setTextColour(*memoHead, QColor(0x80, 0x00, 0x00));
    description_ = new QPlainTextEdit(memoPanel);
    description_->setObjectName(QStringLiteral("mmoAllChild"));
    description_->setReadOnly(true);
    description_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTextColour(*description_, QColor(0x00, 0x00, 0x80));
    auto* memoLayout = new QVBoxLayout(memoPanel);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->addWidget(memoHead);
    memoLayout->addWidget(description_, 1);
    picture_ = new QLabel(lowerArea_);
    picture_->setObjectName(QStringLiteral("imgAll"));
    picture_->setToolTip(QStringLiteral("双击可显示全图"));
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The picture shows at natural size from its top-left corner and never sets the area's
    // size; 全图显示 shows all of it.
    picture_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    picture_->setMinimumSize(120, 40);
    picture_->installEventFilter(this);
    auto* lowerLayout = new QHBoxLayout(lowerArea_);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->addWidget(memoPanel, 1);
    lowerLayout->addWidget(picture_, 1);
    vertical_->addWidget(tableArea_);
    vertical_->addWidget(lowerArea_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(buttons_);
    layout->addWidget(vertical_, 1);
    connect(buttons_->goAhead(), &QToolButton::clicked, this, &QueryPage::backToDesign);
    connect(showAll_, &QToolButton::clicked, this, &QueryPage::wholePictureWanted);
    showMessage(message_->text());
}

void QueryPage::showMessage(const QString& text) {
    message_->setText(text);
    message_->show();
    lowerArea_->hide();
    horizontal_->hide();
    grid_->hide();
    child_->hide();
    navigatorBar_->hide();
}

void QueryPage::showTable(bool withChild) {
    message_->hide();
    horizontal_->show();
    grid_->show();
    navigatorBar_->show();
    child_->setVisible(withChild);
    childShare_ = withChild;
    applyChildShare();
}

// The grid docked to the left at 40 % of the area's width; it keeps that share while the area
// is laid out anew, until the user moves the splitter.
void QueryPage::applyChildShare() {
    if (!childShare_) {
        return;
    }
    const int whole = horizontal_->width();
    const int left = share(0.4, whole);
    horizontal_->setSizes({left, std::max(whole - left - horizontal_->handleWidth(), 1)});
}

void QueryPage::showLowerArea() {
    lowerArea_->show();
    lowerShare_ = true;
    applyLowerShare();
}

// The tables take 60 % of the height, the description and picture the rest.
void QueryPage::applyLowerShare() {
    if (!lowerShare_ || !lowerArea_->isVisible()) {
        return;
    }
    const int whole = vertical_->height();
    const int upper = share(0.6, whole);
    vertical_->setSizes({upper, std::max(whole - upper - vertical_->handleWidth(), 1)});
}

bool QueryPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontal_ && event->type() == QEvent::Resize) {
        applyChildShare();
    }
    if (watched == vertical_ && event->type() == QEvent::Resize) {
        applyLowerShare();
    }
    if (watched == picture_ && event->type() == QEvent::MouseButtonDblClick) {
        emit wholePictureWanted();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace zorvane::app
