#pragma once
// The three working tables of the open design: initial conditions (Init_Unnamed), design results
// (Result_Unnamed) and sprocket sizes (Size_Unnamed). Every quantity a step records is a row of
// text here; the window shows the tables, the reports print them, the project file carries them.

#include "core/store/table.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zorvane::records {

class ResultTables {
public:
    // kind "R" (roller) or "D" (toothed), without regard to case; any other kind gives a manager
    // without tables. fromProject false: a new design, whose initial-conditions and result
    // tables are created empty from the template Result and whose size table is emptied;
    // true: the table files were just restored from a project and are opened as they are.
    ResultTables(std::filesystem::path databaseDir, std::string_view kind, bool fromProject);

    bool hasTables() const { return result_ != nullptr; }

    // table "r" appends to the results, "i" to the initial conditions (without regard to case);
    // any other text appends nothing.
    void AddRow(const std::string& item, const std::string& value, const std::string& unit,
                std::string_view table);
    // "i" empties the initial conditions, "r" the results; the size table is emptied in every
    // case. The emptied tables stay closed until the next write or Open... opens them.
    void ClearTable(std::string_view which);
    // Deletes the first result row whose item equals `item` (without regard to case) and every
    // row after it.
    void DeleteFrom(std::string_view item);
    // Appends a copy of the size template's row `name` with the two values (2 decimals).
    void AddSizeRow(const std::string& name, double smallValue, double largeValue);
    void ClearSize();

    void OpenInit() { openIfClosed(*init_); }
    void CloseInit() { init_->close(); }
    void OpenResult() { openIfClosed(*result_); }
    void CloseResult() { result_->close(); }
    void OpenSize() { openIfClosed(*size_); }
    void CloseSize() { size_->close(); }

    store::Table* initTable() const { return init_.get(); }
    store::Table* resultTable() const { return result_.get(); }
    store::Table* sizeTable() const { return size_.get(); }

private:
    static void openIfClosed(store::Table& table) {
        if (!table.isOpen()) {
            table.open();
        }
    }
    void prepareSizeTable();

    std::unique_ptr<store::Table> init_;
    std::unique_ptr<store::Table> result_;
    std::unique_ptr<store::Table> size_;
    std::unique_ptr<store::Table> sizeTemplate_;
};

} // namespace zorvane::records
