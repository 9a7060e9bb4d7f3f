#include "core/records/result_tables.h"

#include "core/records/table_writing.h"
#include "core/store/store_error.h"
#include "core/text/ascii_case.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::records {

namespace {

constexpr std::string_view kValueFieldSmall = "小链轮数值";
constexpr std::string_view kValueFieldLarge = "大链轮数值";

} // namespace

ResultTables::ResultTables(std::filesystem::path databaseDir, std::string_view kind,
                           bool fromProject) {
    const bool roller = text::equalIgnoringAsciiCase(kind, "r");
    if (!roller && !text::equalIgnoringAsciiCase(kind, "d")) {
        return;
    }
    auto result = std::make_unique<store::Table>(databaseDir, "Result_Unnamed");
    auto init = std::make_unique<store::Table>(databaseDir, "Init_Unnamed");
    auto size = std::make_unique<store::Table>(databaseDir, "Size_Unnamed");
    auto sizeTemplate = std::make_unique<store::Table>(databaseDir, roller ? "R_Size" : "D_Size");

    if (!fromProject) {
        store::Table resultTemplate(databaseDir, "Result");
        resultTemplate.open();
        result->setFieldDefs(resultTemplate.fields());
        init->setFieldDefs(resultTemplate.fields());
        result->create();
        init->create();
    }
    result_ = std::move(result);
    init_ = std::move(init);
    size_ = std::move(size);
    sizeTemplate_ = std::move(sizeTemplate);
    if (!fromProject) {
        prepareSizeTable();
    }
    result_->open();
    init_->open();
    size_->open();
}

// A new design starts with an empty size table of the template's fields: a size table left over
// from a run that ended before its design was discarded would otherwise show stale sizes. Made
// from the template, a table of the same fields is emptied and any other is defined anew.
void ResultTables::prepareSizeTable() {
    sizeTemplate_->open();
    size_->setFieldDefs(sizeTemplate_->fields());
    sizeTemplate_->close();
    size_->create();
}

void ResultTables::AddRow(const std::string& item, const std::string& value,
                          const std::string& unit, std::string_view table) {
    store::Table* target = nullptr;
    if (text::equalIgnoringAsciiCase(table, "r")) {
        target = result_.get();
    } else if (text::equalIgnoringAsciiCase(table, "i")) {
        target = init_.get();
    }
    if (target == nullptr) {
        return;
    }
    if (text::isNonFiniteText(value)) {
        throw text::OutOfComputableRange(item);
    }
    writeTable(*target, [&](store::Table& t) {
        t.append();
        t.setField("项目", store::Value(item));
        t.setField("数值", store::Value(value));
        t.setField("单位", store::Value(unit));
        t.post();
    });
}

void ResultTables::ClearTable(std::string_view which) {
    auto emptyAndClose = [](store::Table& table) {
        reopenWritable(table);
        table.emptyTable();
        table.close();
    };
    if (text::equalIgnoringAsciiCase(which, "i")) {
        emptyAndClose(*init_); // stays writable until the next write opens it
    } else if (text::equalIgnoringAsciiCase(which, "r")) {
        emptyAndClose(*result_);
        result_->setReadOnly(true);
    }
    reopenWritable(*size_);
    if (size_->isEmpty()) {
        size_->close();
        return;
    }
    size_->emptyTable();
    size_->close();
    size_->setReadOnly(true);
}

void ResultTables::DeleteFrom(std::string_view item) {
    writeTable(*result_, [&](store::Table& t) { deleteFromItem(t, "项目", item); });
}

void ResultTables::AddSizeRow(const std::string& name, double smallValue, double largeValue) {
    if (!std::isfinite(smallValue) || !std::isfinite(largeValue)) {
        throw text::OutOfComputableRange(name);
    }
    writeTable(*size_, [&](store::Table& size) {
        openIfClosed(*sizeTemplate_);
        // The template row of that name: its symbol and formula go with the values.
        bool found = false;
        for (sizeTemplate_->first(); !sizeTemplate_->eof(); sizeTemplate_->next()) {
            if (sizeTemplate_->text("名称") == name) {
                found = true;
                break;
            }
        }
        if (!found) {
            const std::string templateName = sizeTemplate_->name();
            sizeTemplate_->close();
            throw store::StoreError("链轮尺寸模板“" + templateName + "”中没有名称为“" + name +
                                    "”的一行，无法记录这一尺寸。");
        }
        size.append();
        size.copyFieldsFrom(*sizeTemplate_);
        size.setField(kValueFieldSmall, store::Value(text::fixed(smallValue, 10, 2)));
        size.setField(kValueFieldLarge, store::Value(text::fixed(largeValue, 10, 2)));
        size.post();
        sizeTemplate_->close();
    });
}

void ResultTables::ClearSize() {
    openIfClosed(*size_);
    if (size_->isEmpty()) {
        return;
    }
    writeTable(*size_, [](store::Table& t) { t.emptyTable(); });
}

} // namespace zorvane::records
