#pragma once
// The history of the open design (Hty_Rec_UnNamed): one entry per recorded quantity, in the
// order of computation, each a copy of the history template's row for that item (symbol, unit,
// formula picture, explanation) with its step number and value.

#include "core/store/table.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zorvane::records {

class DesignHistory {
public:
    // kind "RD" (roller, template R_design) or "DD" (toothed, template D_Design), compared
    // exactly; any other kind gives a manager without tables. fromProject false: a new design,
    // whose history is created empty from the template; true: the history file was just
    // restored from a project and is opened as it is (call OpenTemplate before adding entries).
    DesignHistory(std::filesystem::path databaseDir, std::string_view kind, bool fromProject);

    bool hasTables() const { return history_ != nullptr; }

    // kind "R" or "D": opens that template when the manager has none yet.
    void OpenTemplate(std::string_view kind);
    // Appends the entry of `item` (Latin letters matched without regard to case) with `value`.
    void AddEntry(std::string_view item, double value);
    // Deletes the first entry of `item` and every entry after it.
    void DeleteFrom(std::string_view item);
    void ClearHistory();

    void OpenHistory();
    void CloseHistory();

    store::Table* historyTable() const { return history_.get(); }

    // The stored value text: 2 decimals in 6 characters above 1, 5 decimals in 6 characters
    // above 0.001, 7 decimals in 8 characters otherwise; the leading blanks stay.
    static std::string valueText(double value);

private:
    std::filesystem::path databaseDir_;
    std::string templateName_;
    std::unique_ptr<store::Table> template_;
    std::unique_ptr<store::Table> history_;
};

} // namespace zorvane::records
