#include "core/store/dataset.h"

#include "core/store/store_error.h"
#include "core/store/table_file.h"

#include <algorithm>

namespace zorvane::store {

namespace {
const Value kNull;
}

int Dataset::fieldIndex(std::string_view name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (detail::sameNameIgnoringCase(fields_[i].name, name)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int Dataset::fieldIndexOrThrow(std::string_view name) const {
    const int index = fieldIndex(name);
    if (index < 0) {
        throw StoreError("数据表“" + displayName() + "”中没有字段“" + std::string(name) + "”");
    }
    return index;
}

void Dataset::first() {
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    bof_ = true;
    notify();
}

void Dataset::next() {
    if (current_ + 1 < recordCount()) {
        ++current_;
        eof_ = false;
    } else {
        eof_ = true;
    }
    bof_ = rows_.empty();
    notify();
}

void Dataset::prior() {
    if (current_ > 0) {
        --current_;
        bof_ = false;
    } else {
        bof_ = true;
    }
    eof_ = rows_.empty();
    notify();
}

void Dataset::last() {
    current_ = recordCount() - 1;
    eof_ = true;
    bof_ = rows_.empty();
    notify();
}

void Dataset::moveTo(int index) {
    if (rows_.empty()) {
        return;
    }
    current_ = std::clamp(index, 0, recordCount() - 1);
    eof_ = false;
    bof_ = false;
    notify();
}

const Value& Dataset::field(int position) const {
    if (position < 0 || position >= fieldCount()) {
        throw StoreError("数据表“" + displayName() + "”没有第 " + std::to_string(position + 1) +
                         " 个字段");
    }
    if (const Row* buffer = editBuffer()) {
        return (*buffer)[static_cast<std::size_t>(position)];
    }
    if (current_ < 0) {
        return kNull;
    }
    const auto index = static_cast<std::size_t>(current_);
    if (isBlobKind(fields_[static_cast<std::size_t>(position)].kind)) {
        ensureBlobs(index);
    }
    return rows_[index][static_cast<std::size_t>(position)];
}

const Row& Dataset::row(int index) const {
    const auto at = static_cast<std::size_t>(index);
    if (index < 0 || at >= rows_.size()) {
        throw StoreError("数据表“" + displayName() + "”没有第 " + std::to_string(index + 1) +
                         " 行");
    }
    ensureBlobs(at);
    return rows_[at];
}

void Dataset::ensureBlobs(std::size_t index) const {
    if (index < blobsPending_.size() && blobsPending_[index]) {
        loadBlobs(index, rows_[index]);
        blobsPending_[index] = false;
    }
}

const Value& Dataset::field(std::string_view name) const {
    return field(fieldIndexOrThrow(name));
}

Dataset::~Dataset() {
    const auto subscribers = std::move(listeners_);
    listeners_.clear();
    for (const auto& [token, subscriber] : subscribers) {
        if (subscriber.gone) {
            subscriber.gone();
        }
    }
}

int Dataset::subscribe(Listener changed, Listener gone) {
    const int token = nextToken_++;
    listeners_.emplace(token, Subscriber{std::move(changed), std::move(gone)});
    return token;
}

void Dataset::unsubscribe(int token) {
    listeners_.erase(token);
}

void Dataset::setContents(std::vector<FieldDef> fields, std::vector<Row> rows, bool open,
                          bool blobsPending) {
    fields_ = std::move(fields);
    rows_ = std::move(rows);
    blobsPending_.assign(rows_.size(), blobsPending);
    open_ = open;
    current_ = rows_.empty() ? -1 : 0;
    eof_ = rows_.empty();
    bof_ = true;
    notify();
}

void Dataset::notify() {
    // A listener may subscribe or unsubscribe others; walk a copy.
    const auto listeners = listeners_;
    for (const auto& [token, subscriber] : listeners) {
        if (listeners_.count(token) && subscriber.changed) {
            subscriber.changed();
        }
    }
}

} // namespace zorvane::store
