#pragma once
// The rows of an open table or query with a cursor over them. Readers walk it as the design
// steps do: first, next until end of table, fields of the current row by name or position.

#include "core/store/field.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::store {

class Dataset {
public:
    virtual ~Dataset();
    Dataset() = default;
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    bool isOpen() const { return open_; }
    // The name shown in messages: the table name, or the table a query reads.
    virtual std::string displayName() const = 0;

    const std::vector<FieldDef>& fields() const { return fields_; }
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    // Position of the field `name` (ASCII letters compared without regard to case), or -1.
    int fieldIndex(std::string_view name) const;

    // Cursor. `eof` is true on an empty dataset, and after `next` was called on the last row;
    // the cursor then stays on the last row.
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int index);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    int recordCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    int recNo() const { return current_; } // 0-based; -1 when empty

    // Fields of the current row (or of the row being edited). An empty dataset reads as null.
    // A missing field name throws StoreError naming the table and the field.
    const Value& field(int position) const;
    const Value& field(std::string_view name) const;
    std::string text(std::string_view name) const { return field(name).asText(); }
    std::optional<double> number(std::string_view name) const { return field(name).asNumber(); }
    bool isNull(std::string_view name) const { return field(name).isNull(); }
    std::string text(int position) const { return field(position).asText(); }
    std::optional<double> number(int position) const { return field(position).asNumber(); }
    const Row& row(int index) const;

    // `changed` is called after the cursor moved, the rows changed, or the dataset opened or
    // closed; `gone` when the dataset is destroyed, after which the subscriber must not touch it
    // (nor unsubscribe).
    using Listener = std::function<void()>;
    int subscribe(Listener changed, Listener gone = {});
    void unsubscribe(int token);

protected:
    // blobsPending: the memo and graphic values of the rows are read when first asked for.
    void setContents(std::vector<FieldDef> fields, std::vector<Row> rows, bool open,
                     bool blobsPending = false);
    void notify();
    int fieldIndexOrThrow(std::string_view name) const;
    virtual const Row* editBuffer() const { return nullptr; }
    // Fills in the memo and graphic values of row `index`.
    virtual void loadBlobs(std::size_t /*index*/, Row& /*row*/) const {}
    void ensureBlobs(std::size_t index) const;

    std::vector<FieldDef> fields_;
    // Rows with their memo and graphic values filled in lazily, so that opening a history of
    // many pictures reads only its small fields.
    mutable std::vector<Row> rows_;
    mutable std::vector<bool> blobsPending_;
    int current_ = -1;
    bool eof_ = true;
    bool bof_ = true;
    bool open_ = false;

private:
    struct Subscriber {
        Listener changed;
        Listener gone;
    };
    std::map<int, Subscriber> listeners_;
    int nextToken_ = 1;
};

} // namespace zorvane::store
