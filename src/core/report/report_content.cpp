#include "core/report/report_content.h"

#include "core/report/size_name.h"
#include "core/store/dataset.h"
#include "core/text/number_text.h"

#include <array>

namespace zorvane::report {

namespace {

using colour::kMaroon;
using colour::kNavy;
using colour::kPurple;
using colour::kRed;

TextStyle arial(int size, std::uint32_t colour = colour::kBlack, bool bold = false) {
    return {kArial, size, bold, colour};
}
TextStyle songti(int size) {
    return {kSongti, size, false, colour::kBlack};
}

// The three columns of the initial conditions and the results, under captions of `colour`.
std::vector<Column> itemValueUnitColumns(const std::array<const char*, 3>& captions,
                                         std::uint32_t captionColour) {
    const TextStyle caption = arial(14, captionColour);
    return {
        {captions[0], caption, "项目", arial(14), CellKind::Text, 46, Align::Left},
        {captions[1], caption, "数值", arial(14), CellKind::Text, 34, Align::Right},
        {captions[2], caption, "单位", arial(14), CellKind::Text, 20, Align::Centre},
    };
}

} // namespace

Section initSection() {
    Section section;
    section.name = "qrpInit";
    section.table = kInitTable;
    section.title = {"初  始  条  件", arial(15, kRed, true), false, false};
    section.columns =
        itemValueUnitColumns({"名             称", "数               值", "单位"}, kMaroon);
    section.captionBand = true;
    return section;
}

Section resultSection(Variant variant) {
    Section section;
    section.name = "qrpResult";
    section.table = kResultTable;
    section.title = {"设  计  结  果", arial(15, kPurple, true), variant == Variant::Combined,
                     false};
    section.columns =
        itemValueUnitColumns({"名              称", "数               值", "单位"}, kRed);
    section.columnHeader = true;
    return section;
}

Section sizeSection(Variant variant) {
    Section section;
    section.name = "qrpSize";
    section.table = kSizeTable;
    section.title = {"链轮的基本尺寸", arial(16, kRed, true), variant == Variant::Combined, true};
    const TextStyle caption = arial(15, kPurple, true);
    section.columns = {
        {"名         称", caption, "名称", songti(14), CellKind::Text, 25, Align::Left},
        {"代号", caption, "符号", arial(14), CellKind::Text, 11, Align::Centre},
        {"小链轮", caption, "小链轮数值", arial(14), CellKind::Text, 12, Align::Right},
        {"大链轮", caption, "大链轮数值", arial(14), CellKind::Text, 12, Align::Right},
        {"单位", arial(16, kPurple, true), "单位", arial(14), CellKind::Text, 10, Align::Centre},
        {"关系式", caption, "关系式", arial(12), CellKind::Text, 30, Align::Left},
    };
    section.columnHeader = true;
    section.captionBand = variant == Variant::Combined;
    return section;
}

Section historySection() {
    Section section;
    section.name = "qrpHtyReport";
    section.table = kHistoryTable;
    section.title = {"历史记录结果报表", arial(14, colour::kGreen, true), false, true};
    const TextStyle caption = arial(12, kNavy, true);
    section.columns = {
        {"名               称", caption, "项目", songti(10), CellKind::Text, 14, Align::Left},
        {"符号", caption, "符号", arial(10), CellKind::Text, 8, Align::Centre},
        {"数 值", caption, "数值", arial(10), CellKind::Text, 10, Align::Right},
        {"单位", caption, "单位", arial(10), CellKind::Text, 8, Align::Centre},
        {"公       式", caption, "公式", arial(10), CellKind::Picture, 35, Align::Centre},
        {"说        明", caption, "说明", songti(10), CellKind::RichText, 25, Align::Left},
    };
    section.columnHeader = true;
    section.pictureWidthMm = 63;
    section.pictureHeightMm = 43;
    return section;
}

void readRows(Section& section, const store::Dataset& table) {
    std::vector<int> positions;
    for (const Column& column : section.columns) {
        positions.push_back(table.fieldIndex(column.field));
        if (positions.back() < 0) {
            table.field(column.field); // throws the store's error naming table and field
        }
    }
    for (int index = 0; index < table.recordCount(); ++index) {
        const store::Row& values = table.row(index);
        ReportRow row;
        for (std::size_t c = 0; c < section.columns.size(); ++c) {
            const Column& column = section.columns[c];
            const store::Value& value = values[static_cast<std::size_t>(positions[c])];
            Cell cell;
            if (column.kind == CellKind::Picture) {
                cell.picture = value.asBytes();
            } else if (column.field == "名称" && section.table == kSizeTable) {
                const PrintedSizeName name = printedSizeName(text::trimmed(value.asText()));
                cell.text = name.text;
                if (name.twoLines()) {
                    cell.lineBreak = name.firstLength;
                }
            } else if (column.kind == CellKind::RichText) {
                cell.text = value.asText();
            } else {
                // History values keep the blanks of their fixed width; they are not printed.
                cell.text = text::trimmed(value.asText());
            }
            row.push_back(std::move(cell));
        }
        section.rows.push_back(std::move(row));
    }
}

} // namespace zorvane::report
