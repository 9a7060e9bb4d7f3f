#include "core/store/table.h"

#include "core/store/reader_pool.h"

#include "core/store/store_error.h"
#include "core/store/table_file.h"

#include <algorithm>
#include <system_error>

namespace zorvane::store {

Table::Table(std::filesystem::path directory, std::string name)
    : directory_(std::move(directory)), name_(detail::normalizeTableName(name)) {}

Table::~Table() {
    detachFile();
}

void Table::detachFile() {
    if (file_ && file_->workspace()) {
        file_->workspace()->removeListener(this);
    }
    file_.reset();
}

void Table::requireClosed(const char* what) const {
    if (open_) {
        throw StoreError("数据表“" + name_ + "”已打开，不能" + what);
    }
}

void Table::requireWritable() const {
    if (!open_) {
        throw StoreError("数据表“" + name_ + "”没有打开");
    }
    if (readOnly_) {
        throw StoreError("数据表“" + name_ + "”是只读的，不能修改");
    }
}

void Table::setName(std::string name) {
    requireClosed("改名");
    name_ = detail::normalizeTableName(name);
}

std::filesystem::path Table::filePath() const {
    return detail::locateTable(directory_, name_).table;
}

std::filesystem::path Table::blobPath() const {
    return detail::locateTable(directory_, name_).blobs;
}

void Table::setFieldDefs(std::vector<FieldDef> fields) {
    pendingFields_ = std::move(fields);
}

bool Table::exists() const {
    const auto file = filePath();
    // The file of a working table is there while its workspace is open; in memory there is none.
    if (Workspace::attachmentOf(file)) {
        return true;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

void Table::create() {
    requireClosed("重建");
    detail::TableFile::create(detail::locateTable(directory_, name_), pendingFields_);
}

void Table::open() {
    if (open_) {
        return;
    }
    std::vector<detail::StoredRow> rows;
    file_ = std::make_unique<detail::TableFile>(detail::locateTableFile(directory_, name_),
                                                readOnly_, &rows);
    showRows(std::move(rows));
    if (file_->workspace()) {
        file_->workspace()->addListener(this);
    }
}

void Table::loadRows() {
    showRows(file_->load({}, {}, {}, false));
}

void Table::showRows(std::vector<detail::StoredRow> stored) {
    std::vector<Row> rows;
    ids_.clear();
    rows.reserve(stored.size());
    for (auto& row : stored) {
        ids_.push_back(row.id);
        rows.push_back(std::move(row.values));
    }
    pendingFields_ = file_->fields();
    state_ = State::Browse;
    buffer_.clear();
    setContents(file_->fields(), std::move(rows), true, file_->hasBlobs());
}

// A step rolled back: the rows shown must be those of the file again. When the step had made the
// table (a design's first step), the file holds it no more: it is shown empty and made again by
// its next write, inside that write's step. The design goes on once the cause of the failure is
// gone, and while it lasts every attempt names that cause, not a missing table.
void Table::reloadAfterRollback() {
    if (!open_ || !file_) {
        return;
    }
    try {
        loadRows();
    } catch (const StoreError&) {
        if (file_->holdsTable()) {
            throw;
        }
        lost_ = true;
        showRows({});
    }
}

void Table::remakeIfLost() {
    if (!lost_) {
        return;
    }
    const detail::TableFiles files = file_->files();
    detail::TableFile::create(files, file_->fields());
    auto remade = std::make_unique<detail::TableFile>(files, readOnly_);
    detachFile();
    file_ = std::move(remade);
    if (file_->workspace()) {
        file_->workspace()->addListener(this);
    }
    lost_ = false;
}

void Table::loadBlobs(std::size_t index, Row& row) const {
    file_->loadBlobs(ids_[index], row);
}

void Table::close() {
    if (!open_) {
        return;
    }
    state_ = State::Browse;
    buffer_.clear();
    detachFile();
    ids_.clear();
    setContents(pendingFields_, {}, false);
}

void Table::setReadOnly(bool readOnly) {
    if (readOnly_ == readOnly) {
        return;
    }
    if (open_ && !readOnly && file_->readOnly() && !file_->workspace()) {
        // The file was opened read-only by SQLite: open it again for writing, rows unchanged.
        cancel();
        auto writable =
            std::make_unique<detail::TableFile>(detail::locateTableFile(directory_, name_), false);
        file_ = std::move(writable);
    }
    readOnly_ = readOnly;
}

const Row* Table::editBuffer() const {
    return state_ == State::Browse ? nullptr : &buffer_;
}

void Table::append() {
    requireWritable();
    if (state_ != State::Browse) {
        post();
    }
    buffer_.assign(fields_.size(), Value());
    state_ = State::Insert;
    notify();
}

void Table::edit() {
    requireWritable();
    if (state_ != State::Browse) {
        return;
    }
    if (current_ < 0) {
        throw StoreError("数据表“" + name_ + "”没有可修改的记录");
    }
    buffer_ = row(current_);
    state_ = State::Edit;
}

void Table::setField(int position, const Value& value) {
    if (state_ == State::Browse) {
        edit();
    }
    const FieldDef& def = fields_.at(static_cast<std::size_t>(position));
    buffer_[static_cast<std::size_t>(position)] = coerceTo(def.kind, value, def.name);
}

void Table::setField(std::string_view name, const Value& value) {
    setField(fieldIndexOrThrow(name), value);
}

void Table::copyFieldsFrom(const Dataset& source) {
    const int count = std::min(fieldCount(), source.fieldCount());
    for (int i = 0; i < count; ++i) {
        setField(i, source.field(i));
    }
}

void Table::post() {
    if (state_ == State::Browse) {
        return;
    }
    remakeIfLost();
    if (state_ == State::Insert) {
        const std::int64_t id = file_->insert(buffer_);
        ids_.push_back(id);
        rows_.push_back(std::move(buffer_));
        blobsPending_.push_back(false);
        current_ = recordCount() - 1;
    } else {
        file_->update(ids_[static_cast<std::size_t>(current_)], buffer_);
        rows_[static_cast<std::size_t>(current_)] = std::move(buffer_);
        blobsPending_[static_cast<std::size_t>(current_)] = false;
    }
    buffer_.clear();
    state_ = State::Browse;
    eof_ = false;
    bof_ = false;
    notify();
}

void Table::cancel() {
    if (state_ == State::Browse) {
        return;
    }
    buffer_.clear();
    state_ = State::Browse;
    notify();
}

void Table::deleteCurrent() {
    deleteRows(1);
}

void Table::deleteRows(int count) {
    requireWritable();
    cancel();
    if (current_ < 0 || count <= 0) {
        return;
    }
    const auto from = static_cast<std::size_t>(current_);
    const auto to = std::min(rows_.size(), from + static_cast<std::size_t>(count));
    file_->remove(std::vector<std::int64_t>(ids_.begin() + static_cast<std::ptrdiff_t>(from),
                                            ids_.begin() + static_cast<std::ptrdiff_t>(to)));
    ids_.erase(ids_.begin() + static_cast<std::ptrdiff_t>(from),
               ids_.begin() + static_cast<std::ptrdiff_t>(to));
    rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(from),
                rows_.begin() + static_cast<std::ptrdiff_t>(to));
    blobsPending_.erase(blobsPending_.begin() + static_cast<std::ptrdiff_t>(from),
                        blobsPending_.begin() + static_cast<std::ptrdiff_t>(to));
    current_ = std::min(current_, recordCount() - 1);
    eof_ = rows_.empty();
    bof_ = rows_.empty();
    notify();
}

void Table::emptyTable() {
    requireWritable();
    if (rows_.empty()) {
        return;
    }
    first();
    deleteRows(recordCount());
}

void prefetchTables(const std::filesystem::path& directory, std::vector<std::string> names) {
    detail::prefetchSharedReaders(directory, std::move(names));
}

} // namespace zorvane::store
