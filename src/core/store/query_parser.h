#pragma once
// The few SELECT forms the program runs over its tables:
//   Select * from T
//   Select * from T / Order by T."f" [Desc]
//   Select * from T / Where (T."f"=:"编号") and (T."g">12.5)
// Conditions compare a field with a parameter (:name, taken from a master row) or a literal
// (number or 'text') by =, <>, <, <=, > or >=, joined by "and", with optional parentheses.

#include "core/store/field.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::store {

struct QueryCondition {
    std::string field;
    std::string op;                       // "=", "<>", "<", "<=", ">", ">="
    std::optional<std::string> parameter; // set for :name operands
    Value literal;                        // the operand otherwise
};

struct SelectStatement {
    std::string table;
    std::optional<std::string> orderField;
    bool descending = false;
    std::vector<QueryCondition> conditions;
};

// Throws StoreError with a message that quotes the statement when it is not one of the forms.
SelectStatement parseSelect(std::string_view sql);

} // namespace zorvane::store
