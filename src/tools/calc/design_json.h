#pragma once
// The working tables of a design and the log of its run as the batch runner's JSON: every text
// exactly as the tables store it, keys in a fixed order, one row per line.

#include "core/design/scripted_interaction.h"
#include "core/design/session.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

namespace zorvane::store {
class Table;
}

namespace zorvane::calc {

using OrderedJson = nlohmann::ordered_json;

// The log kind of an exchange: the text input box is a prompt like the value prompt.
std::string logKind(const std::string& scriptedKind);

// The rows of `table` with the named fields, each row an array; an absent table has none.
OrderedJson tableRows(store::Table* table, std::initializer_list<const char*> fields);
// The rows of `table` as objects of every column by name, in column order.
OrderedJson tableObjects(store::Table* table);
// The rows of `table` as objects of the named fields.
OrderedJson tableObjects(store::Table* table, std::initializer_list<const char*> fields);

OrderedJson designJson(design::DesignSession& session,
                       const std::vector<design::LoggedExchange>& log, bool completed,
                       const std::optional<std::string>& stoppedAt);

// The design as text: the top-level keys one per line, and each row of a table or entry of the
// log on a line of its own.
std::string formatDesignJson(const OrderedJson& design);

} // namespace zorvane::calc
