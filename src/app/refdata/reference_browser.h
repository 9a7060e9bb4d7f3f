#pragma once
// The reference browser: a double-click on a leaf of the 查询 tree opens the table its row of the
// tree table names, with the child table linked by "编号", the description and the picture; a
// branch double-click and 关闭 close them again. The datasets are opened from the database
// directory each time a leaf is opened and live here, as the data module's did.

#include <QObject>
#include <QPointer>

#include <filesystem>
#include <memory>

class QTreeWidget;
class QTreeWidgetItem;

namespace zorvane::design {
class Interaction;
}

namespace zorvane::store {
class Query;
class Table;
} // namespace zorvane::store

namespace zorvane::app {

class DatasetModel;
class ImageWindow;
class QueryPage;

class ReferenceBrowser : public QObject {
    Q_OBJECT
public:
    ReferenceBrowser(QTreeWidget& tree, QueryPage& page, ImageWindow& imageWindow,
                     design::Interaction& ui, std::filesystem::path databaseDir,
                     QObject* parent = nullptr);
    ~ReferenceBrowser() override;

    // Opens the current node: a leaf's tables, or for a branch closes them and asks for a leaf.
    void openCurrent();
    // 关闭: closes the tables and empties the page.
    void closeTables();
    // "+" and "-": one text line more or less per grid row (never below one).
    void addLine();
    void removeLine();
    // 全图显示 and a double-click on the picture: the picture window.
    void showWholePicture();

    QTreeWidgetItem* currentNode() const { return current_; }
    QTreeWidgetItem* shownNode() const { return shown_; }
    store::Table* table() const { return table_.get(); }
    store::Query* childQuery() const { return child_.get(); }

private:
    void closeDatasets();
    void clearLowerArea();
    // Walks the tree table to the caption's row and opens the tables it names; false when the
    // tree table has no row for the caption.
    bool openLeafTables(const QString& caption);
    void markShown();
    void rebuildColumns();

    QTreeWidget& tree_;
    QueryPage& page_;
    ImageWindow& imageWindow_;
    design::Interaction& ui_;
    std::filesystem::path databaseDir_;
    std::unique_ptr<store::Table> treeTable_;
    std::unique_ptr<store::Table> table_;
    std::unique_ptr<store::Query> child_;
    DatasetModel* tableModel_;
    DatasetModel* childModel_;
    QTreeWidgetItem* current_ = nullptr;
    QTreeWidgetItem* shown_ = nullptr;
};

} // namespace zorvane::app
