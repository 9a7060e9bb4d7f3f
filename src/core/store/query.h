#pragma once
// A read-only query over one table of the database directory, in one of the SELECT forms of
// query_parser.h. A parameter takes the same-named field of the master dataset's current row;
// when the master's row changes, an open query runs again.

#include "core/store/dataset.h"
#include "core/store/query_parser.h"

#include <filesystem>
#include <string>

namespace zorvane::store {

class Query : public Dataset {
public:
    explicit Query(std::filesystem::path directory);
    ~Query() override;

    // The statement, as lines; taking a new one closes the query.
    void setSql(const std::string& sql);
    const std::string& sql() const { return sql_; }
    // The dataset that gives the parameters; it must outlive the query or be unset first.
    void setMaster(Dataset* master);

    std::string displayName() const override;

    void open();
    void close();
    // Runs the statement again with the master's current values.
    void refresh();

private:
    void run();
    std::vector<Value> parameterValues() const;
    void masterChanged();

    std::filesystem::path directory_;
    std::string sql_;
    SelectStatement statement_;
    bool parsed_ = false;
    Dataset* master_ = nullptr;
    int masterToken_ = 0;
    std::vector<Value> lastParameters_;
};

} // namespace zorvane::store
