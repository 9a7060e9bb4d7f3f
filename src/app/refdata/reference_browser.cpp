#include "app/refdata/reference_browser.h"

#include "app/refdata/dataset_model.h"
#include "app/refdata/image_window.h"
#include "app/refdata/multiline_grid.h"
#include "app/refdata/query_page.h"
#include "app/shell/qt_text.h"
#include "core/design/interaction.h"
#include "core/store/query.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace zorvane::app {

namespace {

const QIcon& markerIcon() {
    static const QIcon icon(QStringLiteral(":/artwork/tree-marker.png"));
    return icon;
}

const QIcon& tableIcon() {
    static const QIcon icon(QStringLiteral(":/artwork/tree-table.png"));
    return icon;
}

} // namespace

ReferenceBrowser::ReferenceBrowser(QTreeWidget& tree, QueryPage& page, ImageWindow& imageWindow,
                                   design::Interaction& ui, std::filesystem::path databaseDir,
                                   QObject* parent)
    : QObject(parent), tree_(tree), page_(page), imageWindow_(imageWindow), ui_(ui),
      databaseDir_(std::move(databaseDir)) {
    tableModel_ = new DatasetModel(this);
    childModel_ = new DatasetModel(this);
    page_.grid()->setModel(tableModel_);
    page_.childGrid()->setModel(childModel_);
    // The current and the shown node start at the first node of the tree.
    current_ = tree_.topLevelItem(0);
    shown_ = current_;

    connect(&tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* node) { current_ = node; });
    connect(&tree_, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* node) {
        current_ = node;
        openCurrent();
    });
    const auto* buttons = page_.buttons();
    connect(buttons->add(), &QToolButton::clicked, this, &ReferenceBrowser::addLine);
    connect(buttons->sub(), &QToolButton::clicked, this, &ReferenceBrowser::removeLine);
    connect(buttons->closeTable(), &QToolButton::clicked, this, &ReferenceBrowser::closeTables);
    connect(&page_, &QueryPage::wholePictureWanted, this, &ReferenceBrowser::showWholePicture);
    for (const char* name : {"nav2First", "nav2Prior", "nav2Next", "nav2Last"}) {
        auto* button = page_.findChild<QToolButton*>(QString::fromLatin1(name));
        const std::string id = name;
        connect(button, &QToolButton::clicked, this, [this, id] {
            const int now = tableModel_->currentRow();
            if (now < 0) {
                return;
            }
            const int last = tableModel_->rowCount() - 1;
            tableModel_->moveTo(id == "nav2First"   ? 0
                                : id == "nav2Prior" ? std::max(0, now - 1)
                                : id == "nav2Next"  ? std::min(last, now + 1)
                                                    : last);
        });
    }
}

ReferenceBrowser::~ReferenceBrowser() {
    tableModel_->setDataset(nullptr);
    childModel_->setDataset(nullptr);
}

void ReferenceBrowser::closeDatasets() {
    // The child query follows the table: it goes first.
    child_.reset();
    table_.reset();
    treeTable_.reset();
}

void ReferenceBrowser::clearLowerArea() {
    page_.description()->clear();
    page_.picture()->clear();
}

void ReferenceBrowser::openCurrent() {
    if (!current_) {
        return;
    }
    const QString caption = current_->text(0);
    if (current_->childCount() > 0) {
        closeDatasets();
        clearLowerArea();
        page_.showMessage(QStringLiteral("请双击其下级目录进行查询!"));
        page_.title()->setText(caption);
        return;
    }
    MultiLineGrid* grid = page_.grid();
    const int chosenLines = grid->linesPerRow();
    grid->setLinesPerRow(1);
    page_.showTable(false);
    closeDatasets();
    // An error opening the tree table itself reaches the user; the page stays as it was.
    try {
        treeTable_ = std::make_unique<store::Table>(databaseDir_, "TreName");
        treeTable_->open();
        treeTable_->first();
    } catch (const store::StoreError& error) {
        treeTable_.reset();
        design::showError(ui_, error.what());
        return;
    }
    if (!openLeafTables(caption)) {
        closeDatasets();
        clearLowerArea();
        page_.showMessage(QStringLiteral("树表中没有“%1”一行，无法打开它的查询表格!").arg(caption));
        design::showError(ui_, "数据库的树表 TreName 中没有“" + caption.toStdString() +
                                   "”一行，无法打开它的查询表格。");
        grid->setLinesPerRow(chosenLines);
    } else {
        page_.showLowerArea();
        markShown();
        if (imageWindow_.isVisible()) {
            const QPixmap picture = page_.picture()->pixmap();
            if (picture.isNull()) {
                imageWindow_.hide();
            } else {
                imageWindow_.showPicture(picture);
            }
        }
        grid->setLinesPerRow(chosenLines);
        rebuildColumns();
    }
    page_.title()->setText(caption);
}

bool ReferenceBrowser::openLeafTables(const QString& caption) {
    const std::string key = caption.toStdString();
    bool found = false;
    // Whatever fails from here on (a missing table, a bad child name, a missing field) is
    // swallowed: the page shows what could be opened.
    try {
        for (treeTable_->first(); !treeTable_->eof(); treeTable_->next()) {
            if (treeTable_->text("树型项目名") == key) {
                found = true;
                break;
            }
        }
        if (!found) {
            return false;
        }
        page_.description()->setPlainText(qs(treeTable_->text("说明")));
        QPixmap picture;
        const auto bytes = treeTable_->field("Graphic").asBytes();
        if (!bytes.empty()) {
            picture.loadFromData(bytes.data(), static_cast<uint>(bytes.size()));
        }
        page_.picture()->setPixmap(picture);
        const std::string tableName = treeTable_->text("表名");
        const std::string childName =
            treeTable_->isNull("子表名") ? std::string("-1") : treeTable_->text("子表名");
        table_ = std::make_unique<store::Table>(databaseDir_, tableName);
        table_->open();
        tableModel_->setDataset(table_.get());
        if (childName != "-1") {
            page_.showTable(true);
            const std::string name = text::trimmed(childName);
            child_ = std::make_unique<store::Query>(databaseDir_);
            child_->setSql("Select * from " + name + "\nwhere \"" + name + "\".\"编号\"=:\"编号\"");
            child_->setMaster(table_.get());
            child_->open();
            childModel_->setDataset(child_.get());
        } else {
            page_.showTable(false);
        }
    } catch (const std::exception&) {
    }
    return found;
}

void ReferenceBrowser::markShown() {
    if (shown_ && shown_ != current_ && shown_->childCount() == 0) {
        shown_->setIcon(0, tableIcon());
    }
    current_->setIcon(0, markerIcon());
    shown_ = current_;
}

void ReferenceBrowser::rebuildColumns() {
    page_.grid()->resetColumnWidths();
    page_.childGrid()->resetColumnWidths();
}

void ReferenceBrowser::closeTables() {
    if (table_) {
        page_.showMessage(QStringLiteral("查询表格已关闭!"));
    } else {
        page_.showMessage(page_.message()->text());
    }
    page_.title()->setText(QStringLiteral("表格名称"));
    closeDatasets();
    clearLowerArea();
}

void ReferenceBrowser::addLine() {
    page_.grid()->setLinesPerRow(page_.grid()->linesPerRow() + 1);
    rebuildColumns();
}

void ReferenceBrowser::removeLine() {
    if (page_.grid()->linesPerRow() > 1) {
        page_.grid()->setLinesPerRow(page_.grid()->linesPerRow() - 1);
    }
    rebuildColumns();
}

void ReferenceBrowser::showWholePicture() {
    imageWindow_.showPicture(page_.picture()->pixmap());
}

} // namespace zorvane::app
