// The reference browser through the real main window, offscreen, over the built database: the
// content behind every leaf of the tree, and opening, following, widening and closing tables.

#include "app/refdata/image_window.h"
#include "app/refdata/multiline_grid.h"
#include "app/refdata/query_page.h"
#include "app/refdata/reference_browser.h"
#include "core/store/query.h"
#include "core/store/table.h"
#include "support/main_window_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <functional>
#include <memory>
#include <set>

using namespace zorvane;

namespace {

QString u(const char* text) {
    return QString::fromUtf8(text);
}

QImage image(QTreeWidgetItem* node) {
    return node->icon(0).pixmap(16, 16).toImage();
}

std::vector<QTreeWidgetItem*> leaves(QTreeWidget& tree) {
    std::vector<QTreeWidgetItem*> out;
    std::function<void(QTreeWidgetItem*)> walk = [&](QTreeWidgetItem* node) {
        if (node->childCount() == 0) {
            out.push_back(node);
        }
        for (int i = 0; i < node->childCount(); ++i) {
            walk(node->child(i));
        }
    };
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        walk(tree.topLevelItem(i));
    }
    return out;
}

} // namespace

class BrowserTest : public QObject, public testing::MainWindowFixture<> {
    Q_OBJECT

private:
    app::QueryPage& page() { return *window_->queryPage(); }
    QTreeWidgetItem* leaf(const char* caption, int occurrence = 0) {
        for (auto* node : leaves(*window_->tree())) {
            if (node->text(0) == u(caption) && occurrence-- == 0) {
                return node;
            }
        }
        qFatal("no leaf %s", caption);
    }
    void open(QTreeWidgetItem* node) {
        window_->tree()->setCurrentItem(node);
        window_->browser()->openCurrent();
    }
    void click(const char* name) {
        QTest::mouseClick(window_->findChild<QToolButton*>(QString::fromLatin1(name)),
                          Qt::LeftButton);
    }

private slots:
    void init() {
        openWindow({1100, 760});
        window_->tabSet()->setCurrentIndex(3);
    }
    void cleanup() { closeWindow(); }

    // Every leaf caption finds its row; every named table exists and has rows; every child row
    // belongs to a master row; every leaf has a description, and every picture decodes.
    void everyLeafHasItsContent() {
        const auto all = leaves(*window_->tree());
        std::set<QString> captions;
        for (auto* node : all) {
            captions.insert(node->text(0));
        }
        QCOMPARE(all.size(), std::size_t{28});
        QCOMPARE(captions.size(), std::size_t{26});
        const auto dir = workspace_->database();
        store::Table tree(dir, "TreName");
        tree.open();
        QCOMPARE(tree.recordCount(), 26);
        for (const QString& caption : captions) {
            bool found = false;
            for (tree.first(); !tree.eof(); tree.next()) {
                if (QString::fromStdString(tree.text("树型项目名")) == caption) {
                    found = true;
                    break;
                }
            }
            QVERIFY2(found, qPrintable(caption));
            QVERIFY2(tree.text("说明").size() > 60, qPrintable(caption));
            const auto bytes = tree.field("Graphic").asBytes();
            if (!bytes.empty()) {
                QImage picture;
                QVERIFY2(picture.loadFromData(bytes.data(), static_cast<int>(bytes.size())),
                         qPrintable(caption));
            }
            store::Table master(dir, tree.text("表名"));
            master.open();
            QVERIFY2(!master.isEmpty(), qPrintable(caption));
            if (tree.isNull("子表名")) {
                continue;
            }
            const std::string child = tree.text("子表名");
            store::Query rows(dir);
            rows.setSql("Select * from " + child + "\nwhere \"" + child + "\".\"编号\"=:\"编号\"");
            rows.setMaster(&master);
            rows.open();
            // A master row may have no child rows where the sources publish none for it, but
            // every child row belongs to a master row.
            int shown = 0;
            for (master.first(); !master.eof(); master.next()) {
                shown += rows.recordCount();
            }
            store::Table childTable(dir, child);
            childTable.open();
            QVERIFY2(shown > 0 && shown == childTable.recordCount(), qPrintable(caption));
        }
    }

    // A leaf with a child table: the master at 40 % of the width, the child rows following the
    // master row, the description and the picture below at 60/40 of the height, the marker on
    // the leaf. Then a leaf without one: one grid over the whole width.
    void leafWithAndWithoutChild() {
        auto* chains = leaf("滚子链的基本参数和尺寸");
        open(chains);
        QCOMPARE(page().title()->text(), u("滚子链的基本参数和尺寸"));
        QVERIFY(page().grid()->isVisible());
        QVERIFY(page().childGrid()->isVisible());
        QVERIFY(page().lowerArea()->isVisible());
        // 40 % of the width, give or take the splitter handle.
        QVERIFY(std::abs(page().grid()->width() - 0.4 * page().tableArea()->width()) <= 3);
        QVERIFY(std::abs(page().tableArea()->height() -
                         0.6 * page().findChild<QWidget*>(u("Splitter5"))->height()) <= 3);
        QVERIFY(page().description()->toPlainText().contains(u("A 系列")));
        QVERIFY(!page().picture()->pixmap().isNull());
        auto* child = window_->browser()->childQuery();
        QCOMPARE(child->recordCount(), 11); // the A series
        QCOMPARE(QString::fromStdString(child->text(0)), u("08A"));
        click("nav2Next"); // the B series
        QCOMPARE(QString::fromStdString(child->text(0)), u("05B"));
        QCOMPARE(page().childGrid()->model()->rowCount(), child->recordCount());
        QVERIFY(image(chains) != image(leaf("系数Ka")));

        open(leaf("系数Ka"));
        QVERIFY(page().grid()->isVisible());
        QVERIFY(!page().childGrid()->isVisible());
        QCOMPARE(page().grid()->model()->rowCount(), 148);
        // The marker moved from the first leaf to this one.
        QCOMPARE(image(chains), image(leaf("节距系数c2")));
        QVERIFY(image(leaf("系数Ka")) != image(chains));
    }

    // "+" to three lines shows the memo and the picture of a table that has them; opening a
    // table goes through one line per row and restores the chosen height.
    void moreLinesPerRow() {
        open(leaf("滚子链轮的基本参数和主要尺寸"));
        click("spnAdd");
        click("spnAdd");
        QCOMPARE(page().grid()->linesPerRow(), 3);
        open(leaf("节距系数c2"));
        QCOMPARE(page().grid()->linesPerRow(), 3);
        QCOMPARE(page().grid()->rowHeight(0), 3 * page().grid()->lineHeight());
        for (int i = 0; i < 4; ++i) {
            click("spnSub");
        }
        QCOMPARE(page().grid()->linesPerRow(), 1);
        page().grid()->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/browser-c2.png"));
    }

    // A branch double-click closes the tables and asks for a leaf below; 关闭 closes them too.
    void branchAndClose() {
        open(leaf("系数Ka"));
        auto* branch = leaf("整体式钢制小链轮主要结构尺寸")->parent();
        open(branch);
        QCOMPARE(page().message()->text(), u("请双击其下级目录进行查询!"));
        QVERIFY(!page().grid()->isVisible());
        QVERIFY(!page().lowerArea()->isVisible());
        QVERIFY(window_->browser()->table() == nullptr);
        QCOMPARE(page().title()->text(), branch->text(0));

        open(leaf("轮坯公差", 1)); // the toothed chain's leaf finds the shared row
        QCOMPARE(window_->browser()->table()->recordCount(), 2);
        click("spnCloseTable");
        QCOMPARE(page().message()->text(), u("查询表格已关闭!"));
        QCOMPARE(page().title()->text(), u("表格名称"));
        QVERIFY(page().description()->toPlainText().isEmpty());
        QVERIFY(page().picture()->pixmap().isNull());
        QVERIFY(!page().grid()->isVisible());
    }

    // The picture window shows the picture at full size, follows another leaf's picture and
    // closes when a leaf without one opens.
    void pictureWindow() {
        open(leaf("系数Ka"));
        click("spnShowAll");
        auto* window = window_->imageWindow();
        QVERIFY(window->isVisible());
        QCOMPARE(window->size(), page().picture()->pixmap().size());
        const auto first = window->image()->pixmap().cacheKey();
        open(leaf("齿数系数Kz"));
        QVERIFY(window->isVisible());
        QVERIFY(window->image()->pixmap().cacheKey() != first);
        open(leaf("节距系数c2")); // no picture
        QVERIFY(!window->isVisible());
    }

    // A leaf whose caption has no row in the tree table says so instead of showing a table.
    void leafWithoutRow() {
        auto* stray = new QTreeWidgetItem(window_->tree()->topLevelItem(0));
        stray->setText(0, u("没有这一行"));
        open(stray);
        QVERIFY(window_->browser()->table() == nullptr);
        QVERIFY(page().message()->text().contains(u("没有这一行")));
        QCOMPARE(ui_->messages().size(), std::size_t{1});
    }

    void screenshot() {
        open(leaf("链轮的量柱测量距MR"));
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/browser-mr.png"));
        open(leaf("滚子链的基本参数和尺寸"));
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/browser-chains.png"));
        open(leaf("三圆弧一直线齿槽形状"));
        window_->grab().save(QStringLiteral(ZORVANE_SCREENSHOT_DIR "/browser-three-arc.png"));
    }
};

QTEST_MAIN(BrowserTest)
#include "browser_test.moc"
