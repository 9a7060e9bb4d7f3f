#include "core/records/design_history.h"

#include "core/records/table_writing.h"
#include "core/store/store_error.h"
#include "core/text/ascii_case.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::records {

namespace {

constexpr std::string_view kHistoryTable = "Hty_Rec_UnNamed";

std::string templateFor(std::string_view kind) {
    if (kind == "RD" || kind == "R") {
        return "R_design";
    }
    if (kind == "DD" || kind == "D") {
        return "D_Design";
    }
    return {};
}

} // namespace

std::string DesignHistory::valueText(double value) {
    const double magnitude = std::fabs(value);
    if (magnitude > 1) {
        return text::fixedPadded(value, 6, 2);
    }
    if (magnitude > 0.001) {
        return text::fixedPadded(value, 6, 5);
    }
    return text::fixedPadded(value, 8, 7);
}

DesignHistory::DesignHistory(std::filesystem::path databaseDir, std::string_view kind,
                             bool fromProject)
    : databaseDir_(std::move(databaseDir)) {
    if (kind != "RD" && kind != "DD") {
        return;
    }
    templateName_ = templateFor(kind);
    auto history = std::make_unique<store::Table>(databaseDir_, std::string(kHistoryTable));
    if (!fromProject) {
        auto historyTemplate = std::make_unique<store::Table>(databaseDir_, templateName_);
        historyTemplate->open();
        history->setFieldDefs(historyTemplate->fields());
        history->create();
        template_ = std::move(historyTemplate);
    }
    history->open();
    history_ = std::move(history);
}

void DesignHistory::OpenTemplate(std::string_view kind) {
    if (template_ || (kind != "R" && kind != "D")) {
        return;
    }
    auto historyTemplate = std::make_unique<store::Table>(databaseDir_, templateFor(kind));
    historyTemplate->open();
    template_ = std::move(historyTemplate);
}

void DesignHistory::AddEntry(std::string_view item, double value) {
    if (!std::isfinite(value)) {
        throw text::OutOfComputableRange(std::string(item));
    }
    if (!template_) {
        // After a project load the template is opened by OpenTemplate; a caller that forgot it
        // still gets the template of its own chain kind.
        OpenTemplate(templateName_ == "R_design" ? "R" : "D");
    }
    store::Table& source = *template_;
    // The entry is a copy of the template's row of the item: without one the entry would have
    // no symbol, unit, formula or explanation.
    bool found = false;
    if (!source.isEmpty()) {
        for (source.first(); !source.eof(); source.next()) {
            if (text::equalIgnoringAsciiCase(source.text("项目"), item)) {
                found = true;
                break;
            }
        }
    }
    if (!found) {
        throw store::StoreError("历史记录模板“" + source.name() + "”中没有项目“" +
                                std::string(item) + "”的一行，无法记录这一项。");
    }
    writeTable(*history_, [&](store::Table& history) {
        const int entriesBefore = history.recordCount();
        history.append();
        history.copyFieldsFrom(source);
        history.setField("步骤", store::Value(entriesBefore + 1));
        history.setField("数值", store::Value(valueText(value)));
        history.post();
    });
}

void DesignHistory::DeleteFrom(std::string_view item) {
    writeTable(*history_, [&](store::Table& t) { deleteFromItem(t, "项目", item); });
}

void DesignHistory::ClearHistory() {
    writeTable(*history_, [](store::Table& t) { t.emptyTable(); });
}

void DesignHistory::OpenHistory() {
    if (!history_->isOpen()) {
        history_->open();
    }
}

void DesignHistory::CloseHistory() {
    history_->close();
}

} // namespace zorvane::records
