#pragma once
// A named table of the database directory. Read-only unless read-only is lifted; a read-only
// table outside a workspace is opened read-only by SQLite itself, so it cannot be written by
// accident. Every post and every delete is kept whole: a table of an open workspace joins the
// workspace's step, any other is one transaction over the table's files.

#include "core/store/dataset.h"
#include "core/store/workspace.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace zorvane::store {

namespace detail {
class TableFile;
struct StoredRow;
} // namespace detail

class Table : public Dataset, private Workspace::Listener {
public:
    Table(std::filesystem::path directory, std::string name);
    ~Table() override;

    const std::string& name() const { return name_; }
    void setName(std::string name); // only while closed
    const std::filesystem::path& directory() const { return directory_; }
    std::string displayName() const override { return name_; }
    // The table file, spelt as it exists (names ignore case) or as it would be created.
    std::filesystem::path filePath() const;
    std::filesystem::path blobPath() const;

    // Field definitions for `create`; an open table's definitions are those of its file.
    void setFieldDefs(std::vector<FieldDef> fields);
    bool exists() const;
    // Replaces any table of this name with an empty one of the set field definitions.
    void create();

    void open();
    void close();

    bool readOnly() const { return readOnly_; }
    // Also while open: the rows stay, and lifting it on a table opened read-only reopens its file
    // for writing.
    void setReadOnly(bool readOnly);

    enum class State { Browse, Insert, Edit };
    State state() const { return state_; }

    // Writing: append or edit, set fields, post (or cancel). Texts given to number and integer
    // fields are parsed strictly; a text that is no number throws and the row stays unposted.
    void append();
    void edit();
    void setField(int position, const Value& value);
    void setField(std::string_view name, const Value& value);
    // Copies every field of `source`'s current row by position (memo and graphic included)
    // into the row being appended or edited.
    void copyFieldsFrom(const Dataset& source);
    void post();
    void cancel();

    // Deletes the current row; the cursor goes to the row after it, or to the new last row.
    void deleteCurrent();
    // Deletes `count` rows from the current one on, in one transaction.
    void deleteRows(int count);
    // Deletes every row, in one transaction.
    void emptyTable();

private:
    void reloadAfterRollback() override;
    // Makes the table again, empty, when a rolled-back step took it from its file.
    void remakeIfLost();
    void loadRows();
    // Shows the rows read from the file, the cursor on the first.
    void showRows(std::vector<detail::StoredRow> stored);
    void detachFile();
    const Row* editBuffer() const override;
    void loadBlobs(std::size_t index, Row& row) const override;
    void requireClosed(const char* what) const;
    void requireWritable() const;

    std::filesystem::path directory_;
    std::string name_;
    bool readOnly_ = true;
    std::vector<FieldDef> pendingFields_;
    std::unique_ptr<detail::TableFile> file_;
    std::vector<std::int64_t> ids_;
    State state_ = State::Browse;
    Row buffer_;
    bool lost_ = false; // the step that made the table was rolled back
};

// Reads the tables `names` of `directory` on another thread, while this one does other work, so
// that this thread's first read-only opens of them are quick. Best effort: a table that cannot be
// read there is opened as usual, and its open reports what is wrong.
void prefetchTables(const std::filesystem::path& directory, std::vector<std::string> names);

} // namespace zorvane::store
