#include "core/store/query.h"

#include "core/store/store_error.h"
#include "core/store/table_file.h"

namespace zorvane::store {

Query::Query(std::filesystem::path directory) : directory_(std::move(directory)) {}

Query::~Query() {
    setMaster(nullptr);
}

void Query::setSql(const std::string& sql) {
    close();
    sql_ = sql;
    parsed_ = false;
}

void Query::setMaster(Dataset* master) {
    if (master_) {
        master_->unsubscribe(masterToken_);
    }
    master_ = master;
    masterToken_ =
        master_ ? master_->subscribe([this] { masterChanged(); }, [this] { master_ = nullptr; })
                : 0;
}

std::string Query::displayName() const {
    return parsed_ ? statement_.table : sql_;
}

void Query::open() {
    if (open_) {
        return;
    }
    if (!parsed_) {
        statement_ = parseSelect(sql_);
        parsed_ = true;
    }
    run();
}

void Query::close() {
    if (open_) {
        setContents({}, {}, false);
    }
}

void Query::refresh() {
    if (open_) {
        run();
    }
}

std::vector<Value> Query::parameterValues() const {
    std::vector<Value> values;
    for (const auto& condition : statement_.conditions) {
        if (!condition.parameter) {
            values.push_back(condition.literal);
        } else if (!master_ || !master_->isOpen()) {
            throw StoreError("查询“" + sql_ + "”的参数“" + *condition.parameter +
                             "”没有可取值的主表");
        } else {
            // An empty master gives a null parameter, and the query then yields no row.
            values.push_back(master_->field(*condition.parameter));
        }
    }
    return values;
}

void Query::run() {
    const detail::TableFile file(detail::locateTableFile(directory_, statement_.table), true);
    const auto& fields = file.fields();
    auto columnOf = [&](const std::string& name) {
        for (std::size_t i = 0; i < fields.size(); ++i) {
            if (detail::sameNameIgnoringCase(fields[i].name, name)) {
                return detail::TableFile::column(i);
            }
        }
        throw StoreError("数据表“" + statement_.table + "”中没有字段“" + name + "”");
    };

    std::string where;
    for (std::size_t i = 0; i < statement_.conditions.size(); ++i) {
        where += (i ? " AND " : "") + columnOf(statement_.conditions[i].field) + " " +
                 statement_.conditions[i].op + " ?" + std::to_string(i + 1);
    }
    std::string order;
    if (statement_.orderField) {
        order = columnOf(*statement_.orderField) + (statement_.descending ? " DESC" : " ASC");
    }
    lastParameters_ = parameterValues();
    auto stored = file.load(where, lastParameters_, order);
    std::vector<Row> rows;
    rows.reserve(stored.size());
    for (auto& row : stored) {
        rows.push_back(std::move(row.values));
    }
    setContents(fields, std::move(rows), true);
}

void Query::masterChanged() {
    if (!open_ || !master_) {
        return;
    }
    if (!master_->isOpen()) {
        close();
        return;
    }
    if (parameterValues() != lastParameters_) {
        run();
    }
}

} // namespace zorvane::store
