#include "tools/calc/design_json.h"

#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/table.h"

#include <algorithm>

namespace zorvane::calc {

namespace {

// A stored value: texts as texts, numbers as numbers, and null where nothing is stored.
OrderedJson valueJson(const store::Value& value) {
    if (value.isText()) {
        return value.text();
    }
    if (value.isNumber()) {
        return value.number();
    }
    if (value.isInteger()) {
        return value.integer();
    }
    return nullptr; // null, and pictures, which are no text
}

// The table ready to read: an emptied working table stays closed until it is written again.
bool readable(store::Table* table) {
    if (!table) {
        return false;
    }
    if (!table->isOpen()) {
        if (!table->exists()) {
            return false;
        }
        table->open();
    }
    return true;
}

std::string dump(const OrderedJson& value) {
    return value.dump(-1, ' ', false, OrderedJson::error_handler_t::replace);
}

} // namespace

std::string logKind(const std::string& scriptedKind) {
    return scriptedKind == "input" ? "prompt" : scriptedKind;
}

OrderedJson tableRows(store::Table* table, std::initializer_list<const char*> fields) {
    OrderedJson rows = OrderedJson::array();
    if (!readable(table)) {
        return rows;
    }
    for (table->first(); !table->eof(); table->next()) {
        OrderedJson row = OrderedJson::array();
        for (const char* field : fields) {
            row.push_back(valueJson(table->field(field)));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

OrderedJson tableObjects(store::Table* table) {
    OrderedJson rows = OrderedJson::array();
    if (!readable(table)) {
        return rows;
    }
    for (table->first(); !table->eof(); table->next()) {
        OrderedJson row = OrderedJson::object();
        for (int i = 0; i < table->fieldCount(); ++i) {
            row[table->fields()[static_cast<std::size_t>(i)].name] = valueJson(table->field(i));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

OrderedJson tableObjects(store::Table* table, std::initializer_list<const char*> fields) {
    OrderedJson rows = OrderedJson::array();
    if (!readable(table)) {
        return rows;
    }
    for (table->first(); !table->eof(); table->next()) {
        OrderedJson row = OrderedJson::object();
        for (const char* field : fields) {
            row[field] = valueJson(table->field(field));
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

OrderedJson designJson(design::DesignSession& session,
                       const std::vector<design::LoggedExchange>& log, bool completed,
                       const std::optional<std::string>& stoppedAt) {
    OrderedJson out = OrderedJson::object();
    out["completed"] = completed;
    out["stopped_at"] = stoppedAt ? OrderedJson(*stoppedAt) : OrderedJson(nullptr);
    OrderedJson done = OrderedJson::array();
    if (const auto chain = session.chain()) {
        for (const auto& step : design::steps(*chain)) {
            if (session.status().done(step.tag)) {
                done.push_back(step.tag);
            }
        }
    }
    out["steps_done"] = std::move(done);
    const auto* results = session.results();
    const auto* history = session.history();
    out["init"] = tableRows(results ? results->initTable() : nullptr, {"项目", "数值", "单位"});
    out["result"] = tableRows(results ? results->resultTable() : nullptr, {"项目", "数值", "单位"});
    out["size"] = tableObjects(results ? results->sizeTable() : nullptr);
    out["history"] = tableObjects(history ? history->historyTable() : nullptr,
                                  {"步骤", "项目", "符号", "数值", "单位"});
    OrderedJson entries = OrderedJson::array();
    for (const auto& exchange : log) {
        entries.push_back({{"kind", logKind(exchange.kind)},
                           {"title", exchange.title},
                           {"text", exchange.text},
                           {"answer", exchange.answer}});
    }
    out["log"] = std::move(entries);
    return out;
}

std::string formatDesignJson(const OrderedJson& design) {
    std::string text = "{\n";
    bool firstKey = true;
    for (const auto& [key, value] : design.items()) {
        text += firstKey ? "  " : ",\n  ";
        firstKey = false;
        text += dump(OrderedJson(key)) + ": ";
        const bool rows = value.is_array() &&
                          std::any_of(value.begin(), value.end(), [](const OrderedJson& element) {
                              return element.is_structured();
                          });
        if (!rows) {
            text += dump(value);
            continue;
        }
        text += "[\n";
        for (std::size_t i = 0; i < value.size(); ++i) {
            text += "    " + dump(value[i]) + (i + 1 < value.size() ? ",\n" : "\n");
        }
        text += "  ]";
    }
    return text + "\n}\n";
}

} // namespace zorvane::calc
