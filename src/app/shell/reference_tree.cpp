#include "app/shell/reference_tree.h"

#include <QTreeWidget>

#include <array>
#include <functional>

namespace zorvane::app {

namespace {

struct TreeItem {
    int depth;
    const char* caption;
};

// The tree's items with their nesting; a leaf caption is the key of the browser's tree table.
constexpr TreeItem kItems[] = {
    {0, "链传动设计者"},
    {1, "滚子链传动"},
    {2, "滚子链的基本参数和尺寸"},
    {2, "小链轮齿数系数"},
    {2, "多排链排数系数"},
    {2, "系数Ka"},
    {2, "节距系数c2"},
    {2, "链轮结构"},
    {3, "整体式钢制小链轮主要结构尺寸"},
    {3, "腹板式、单排铸造链轮主要结构尺寸"},
    {3, "腹板式多排铸造链轮主要结构尺寸"},
    {2, "齿槽形状"},
    {2, "三圆弧一直线齿槽形状"},
    {2, "轴向齿廓及尺寸"},
    {2, "链轮极限偏差"},
    {2, "滚子链轮的基本参数和主要尺寸"},
    {2, "链轮的量柱测量距MR"},
    {2, "链轮的圆跳动"},
    {2, "轮坯公差"},
    {2, "标注示例"},
    {2, "链轮材料及热处理"},
    {1, "齿形链传动"},
    {2, "齿形链的基本参数和尺寸"},
    {2, "齿数系数Kz"},
    {2, "链轮齿形与基本参数"},
    {2, "链轮轴向齿廓"},
    {2, "链轮公差"},
    {3, "轮齿的检验项目与公差"},
    {3, "链轮的量柱测量距MR"},
    {3, "节距p=1mm时的链轮量柱测量距"},
    {3, "量柱直径dR和技术要求"},
    {3, "量柱测量距的极限偏差"},
    {3, "轮坯公差"},
};

} // namespace

QTreeWidget* buildReferenceTree(QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QStringLiteral("treContent"));
    tree->setToolTip(QStringLiteral("打开数据库查询"));
    tree->setHeaderHidden(true);
    const QIcon closed(QStringLiteral(":/artwork/tree-closed.png"));
    const QIcon open(QStringLiteral(":/artwork/tree-open.png"));
    const QIcon table(QStringLiteral(":/artwork/tree-table.png"));
    std::array<QTreeWidgetItem*, 4> parents{};
    for (const auto& item : kItems) {
        auto* node = item.depth == 0
                         ? new QTreeWidgetItem(tree)
                         : new QTreeWidgetItem(parents[static_cast<std::size_t>(item.depth - 1)]);
        node->setText(0, QString::fromUtf8(item.caption));
        // The left pane is narrow: the whole caption shows when the mouse rests on the item.
        node->setToolTip(0, node->text(0));
        parents[static_cast<std::size_t>(item.depth)] = node;
    }
    // Branches show the closed folder, leaves the table; all start collapsed.
    std::function<void(QTreeWidgetItem*)> decorate = [&](QTreeWidgetItem* node) {
        node->setIcon(0, node->childCount() > 0 ? closed : table);
        for (int i = 0; i < node->childCount(); ++i) {
            decorate(node->child(i));
        }
    };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        decorate(tree->topLevelItem(i));
    }
    // Expanding all at once (the * key) reports the leaves as expanded too; they keep the table.
    QObject::connect(tree, &QTreeWidget::itemExpanded, tree, [open](QTreeWidgetItem* node) {
        if (node->childCount() > 0) {
            node->setIcon(0, open);
        }
    });
    QObject::connect(tree, &QTreeWidget::itemCollapsed, tree, [closed](QTreeWidgetItem* node) {
        if (node->childCount() > 0) {
            node->setIcon(0, closed);
        }
    });
    tree->collapseAll();
    return tree;
}

} // namespace zorvane::app
