// The content of the reports: bands, captions and rows read from the working tables, the size
// names cut at GBK bytes, and the text, CSV and HTML writers.

#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/report/report_content.h"
#include "core/report/report_pages.h"
#include "core/report/report_source.h"
#include "core/report/report_writers.h"
#include "core/report/size_name.h"
#include "core/store/store_error.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <tuple>

namespace zorvane::report {
namespace {

struct SplitCase {
    const char* name;
    const char* printed;
    bool twoLines;
};

class SizeNameTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SizeNameTest, FirstFourteenBytesABlankAndBytesUpToFortyTwo) {
    const SplitCase& c = GetParam();
    const PrintedSizeName printed = printedSizeName(c.name);
    EXPECT_EQ(printed.text, c.printed);
    EXPECT_EQ(printed.twoLines(), c.twoLines);
    if (printed.twoLines()) {
        EXPECT_EQ(printed.text[printed.firstLength], ' ');
    }
}

INSTANTIATE_TEST_SUITE_P(Names, SizeNameTest,
                         ::testing::Values(
                             // Seven characters fill the 14 bytes exactly: nothing to split.
                             SplitCase{"齿顶圆最大直径", "齿顶圆最大直径", false},
                             SplitCase{"分度圆直径", "分度圆直径", false},
                             SplitCase{"齿侧凸缘或排间槽直径", "齿侧凸缘或排间 槽直径", true},
                             SplitCase{"齿面工作段最低点至节距线距离",
                                       "齿面工作段最低 点至节距线距离", true},
                             // A leading ASCII letter puts the eighth character across bytes 14 and
                             // 15: it moves whole to the second line.
                             SplitCase{"a齿面工作段最低点", "a齿面工作段最 低点", true},
                             // Bytes beyond the 42nd are not printed; with the odd start the
                             // character across bytes 42 and 43 is left out whole.
                             SplitCase{"一二三四五六七八九十一二三四五六七八九十一二三",
                                       "一二三四五六七 八九十一二三四五六七八九十一", true},
                             SplitCase{"a一二三四五六七八九十一二三四五六七八九十一二三",
                                       "a一二三四五六 七八九十一二三四五六七八九十", true},
                             SplitCase{"abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJ",
                                       "abcdefghijklmn opqrstuvwxyz0123456789ABCDEF", true},
                             SplitCase{"", "", false}));

// The working tables of a small roller design, written through the managers as the steps do.
class ReportTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        results_ = std::make_unique<records::ResultTables>(ws_.database(), "R", false);
        history_ = std::make_unique<records::DesignHistory>(ws_.database(), "RD", false);
    }
    void fill() {
        results_->AddRow("传递功率", "3", "kW", "i");
        results_->AddRow("小链轮转速", "300", "r/min", "i");
        results_->AddRow("小链轮齿数", "15", "", "r");
        results_->AddRow("链号", "12A", "", "r");
        results_->AddRow("实际中心距", "754", "mm", "r");
        results_->AddSizeRow("分度圆直径", 91.634, 273.2);
        results_->AddSizeRow("齿侧凸缘或排间槽直径", 60.794, 150.2);
        history_->AddEntry("小链轮齿数", 15);
        history_->AddEntry("链条速度", 0.9525);
    }
    static std::vector<std::string> column(const Section& section, std::size_t c) {
        std::vector<std::string> texts;
        for (const ReportRow& row : section.rows) {
            texts.push_back(row[c].text);
        }
        return texts;
    }

    testing::Workspace ws_;
    std::unique_ptr<records::ResultTables> results_;
    std::unique_ptr<records::DesignHistory> history_;
};

struct SectionShape {
    const char* name;
    const char* title;
    bool ruleAbove;
    bool columnHeader;
    bool captionBand;
};

struct ReportShape {
    ReportId id;
    std::vector<SectionShape> sections;
};

// Each report's sections in order, with the rule above the title and the caption bands of its
// variant.
const std::vector<ReportShape> kShapes{
    {ReportId::Combined,
     {{"qrpInit", "初  始  条  件", false, false, true},
      {"qrpResult", "设  计  结  果", true, true, false},
      {"qrpSize", "链轮的基本尺寸", true, true, true}}},
    {ReportId::Init, {{"qrpInit", "初  始  条  件", false, false, true}}},
    {ReportId::Result, {{"qrpResult", "设  计  结  果", false, true, false}}},
    {ReportId::Size, {{"qrpSize", "链轮的基本尺寸", false, true, false}}},
    {ReportId::History, {{"qrpHtyReport", "历史记录结果报表", false, true, false}}},
};

void expectShape(const Document& document, const ReportShape& shape) {
    SCOPED_TRACE(document.name);
    EXPECT_EQ(document.name, reportInfo(shape.id).name);
    ASSERT_EQ(document.sections.size(), shape.sections.size());
    for (std::size_t i = 0; i < shape.sections.size(); ++i) {
        const Section& s = document.sections[i];
        const SectionShape& want = shape.sections[i];
        EXPECT_EQ(s.name, want.name);
        EXPECT_EQ(s.title.text, want.title);
        EXPECT_EQ(s.title.ruleAbove, want.ruleAbove);
        EXPECT_EQ(s.columnHeader, want.columnHeader);
        EXPECT_EQ(s.captionBand, want.captionBand);
        EXPECT_FALSE(s.rows.empty());
    }
}

// One set of tables for all the reports, since writing them is what takes the time.
TEST_F(ReportTablesTest, SectionsRowsCaptionsFontsAndSplitNames) {
    fill();
    for (const ReportShape& shape : kShapes) {
        expectShape(loadReport(shape.id, ws_.database()), shape);
    }
    const Document combined = loadReport(ReportId::Combined, ws_.database());
    const Section& init = combined.sections[0];
    EXPECT_EQ(init.columns[0].caption, "名             称");
    EXPECT_EQ(init.columns[0].captionStyle.colour, colour::kMaroon);
    EXPECT_EQ(column(init, 0), (std::vector<std::string>{"传递功率", "小链轮转速"}));
    EXPECT_EQ(column(init, 2), (std::vector<std::string>{"kW", "r/min"}));

    const Section& results = combined.sections[1];
    EXPECT_EQ(results.columns[0].caption, "名              称");
    EXPECT_EQ(results.title.style, (TextStyle{kArial, 15, true, colour::kPurple}));
    EXPECT_EQ(column(results, 0), (std::vector<std::string>{"小链轮齿数", "链号", "实际中心距"}));
    EXPECT_EQ(column(results, 1), (std::vector<std::string>{"15", "12A", "754"}));

    const Section& sizes = combined.sections[2];
    std::vector<std::string> captions;
    for (const Column& c : sizes.columns) {
        captions.push_back(c.caption);
    }
    EXPECT_EQ(captions, (std::vector<std::string>{"名         称", "代号", "小链轮", "大链轮",
                                                  "单位", "关系式"}));
    EXPECT_EQ(sizes.columns[4].captionStyle.pointSize, 16);
    EXPECT_EQ(sizes.columns[0].style.family, kSongti);
    EXPECT_EQ(column(sizes, 0), (std::vector<std::string>{"分度圆直径", "齿侧凸缘或排间 槽直径"}));
    EXPECT_FALSE(sizes.rows[0][0].lineBreak);
    EXPECT_EQ(sizes.rows[1][0].lineBreak, std::string("齿侧凸缘或排间").size());
    EXPECT_EQ(column(sizes, 2), (std::vector<std::string>{"91.63", "60.79"}));
    EXPECT_EQ(column(sizes, 3), (std::vector<std::string>{"273.20", "150.20"}));

    const Document history = loadReport(ReportId::History, ws_.database());
    const Section& entries = history.sections[0];
    EXPECT_EQ(column(entries, 0), (std::vector<std::string>{"小链轮齿数", "链条速度"}));
    // The stored value texts keep their fixed-width padding; the report prints them trimmed.
    EXPECT_EQ(column(entries, 2), (std::vector<std::string>{"15.00", "0.95250"}));
    EXPECT_FALSE(entries.rows[0][4].picture.empty());
    EXPECT_FALSE(entries.rows[1][5].text.empty());
}

TEST_F(ReportTablesTest, EmptyHistoryPrintsTitleAndCaptionsOnly) {
    const Document history = loadReport(ReportId::History, ws_.database());
    ASSERT_EQ(history.sections.size(), 1u);
    EXPECT_TRUE(history.sections[0].rows.empty());
    const std::string text = toText(history);
    EXPECT_NE(text.find("历史记录结果报表"), std::string::npos);
    EXPECT_NE(text.find("名               称"), std::string::npos);
    EXPECT_EQ(toCsv(history), "\xEF\xBB\xBF名称,符号,数值,单位,说明\r\n");
    const std::string html = toHtml(history);
    EXPECT_NE(html.find("<th style"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);
}

TEST_F(ReportTablesTest, MissingOrDamagedTableThrowsTheStoresErrorNamingIt) {
    results_.reset();
    history_.reset();
    std::filesystem::remove(ws_.database() / "Result_Unnamed.db");
    try {
        loadReport(ReportId::Combined, ws_.database());
        FAIL() << "no error";
    } catch (const store::StoreError& error) {
        EXPECT_NE(std::string(error.what()).find("Result_Unnamed"), std::string::npos);
    }
    // Garbage in place of a table file.
    {
        std::ofstream damaged(ws_.database() / "Result_Unnamed.db", std::ios::binary);
        damaged << "not a table";
    }
    EXPECT_THROW(loadReport(ReportId::Result, ws_.database()), store::StoreError);
    EXPECT_NO_THROW(loadReport(ReportId::Init, ws_.database()));
}

Section tinySection(std::vector<std::vector<std::string>> rows) {
    Section section = initSection();
    for (auto& texts : rows) {
        ReportRow row;
        for (auto& text : texts) {
            row.push_back(Cell{text, {}, std::nullopt});
        }
        section.rows.push_back(row);
    }
    return section;
}

struct CsvCase {
    const char* value;
    const char* field;
};
class CsvQuotingTest : public ::testing::TestWithParam<CsvCase> {};

TEST_P(CsvQuotingTest, QuotesOnlyWhatCsvRequires) {
    Document document;
    document.sections = {tinySection({{"项目", GetParam().value, "mm"}})};
    EXPECT_EQ(toCsv(document),
              std::string("\xEF\xBB\xBF名称,数值,单位\r\n项目,") + GetParam().field + ",mm\r\n");
}

INSTANTIATE_TEST_SUITE_P(Fields, CsvQuotingTest,
                         ::testing::Values(CsvCase{"12.70", "12.70"}, CsvCase{"1,5", "\"1,5\""},
                                           CsvCase{"a\"b", "\"a\"\"b\""},
                                           CsvCase{"两\n行", "\"两\n行\""}, CsvCase{"", ""}));

TEST(ReportWriters, CombinedCsvHasOneTitledBlockPerSection) {
    Document document;
    document.sections = {tinySection({{"a", "1", "x"}}), tinySection({})};
    EXPECT_EQ(
        toCsv(document),
        "\xEF\xBB\xBF初始条件\r\n名称,数值,单位\r\na,1,x\r\n\r\n初始条件\r\n名称,数值,单位\r\n");
}

TEST(ReportWriters, TextColumnsLineUpWithChineseTakingTwoColumns) {
    Document document;
    document.sections = {tinySection({{"小链轮齿数", "15", ""}, {"z", "1234.5", "mm"}})};
    const std::string text = toText(document);
    // Both value cells end in the same terminal column.
    std::vector<std::string> lines;
    for (std::size_t at = 0, next; at < text.size(); at = next + 1) {
        next = text.find('\n', at);
        lines.push_back(text.substr(at, next - at));
    }
    auto endOf = [&](const std::string& value) {
        for (const auto& line : lines) {
            if (const auto pos = line.find(value); pos != std::string::npos) {
                return displayWidth(line.substr(0, pos + value.size()));
            }
        }
        return std::size_t{0};
    };
    EXPECT_GT(endOf("15"), 0u);
    EXPECT_EQ(endOf(" 15"), endOf("1234.5"));
    EXPECT_EQ(displayWidth("小链轮z"), 7u);
}

TEST(ReportWriters, HtmlEscapesTextAndEmbedsPictures) {
    Section section = historySection();
    ReportRow row(section.columns.size());
    row[0].text = "<b>&</b>";
    row[4].picture = {0x89, 'P', 'N', 'G', 0x0D, 0x0A};
    row[5].text = "一\n二";
    section.rows = {row};
    Document document;
    document.caption = "历史记录结果报表";
    document.sections = {section};
    const std::string html = toHtml(document);
    EXPECT_NE(html.find("&lt;b&gt;&amp;&lt;/b&gt;"), std::string::npos);
    EXPECT_NE(html.find("src=\"data:image/png;base64,iVBORw0K\""), std::string::npos);
    EXPECT_NE(html.find("一<br>二"), std::string::npos);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
}

// The history's explanations in the text export: lines break between words and Chinese
// characters, never inside a number or a formula.
struct WrapCase {
    std::string explanation;
    std::vector<std::string> whole; // each stands unbroken on one line
};

std::vector<WrapCase> wrapCases() {
    std::vector<WrapCase> cases;
    // Formulas and lists of numbers moved column by column across the line's end.
    for (std::string lead; lead.size() < 3 * 38; lead += "链") {
        cases.push_back({lead + "按Kz=(z1/19)^1.08计算，取值1.769、95.114、0.00625。",
                         {"Kz=(z1/19)^1.08", "1.769、", "95.114、", "0.00625。"}});
        cases.push_back({lead + " P0=3.75kW KA=1.3 v=0.9525m/s", {"P0=3.75kW", "v=0.9525m/s"}});
    }
    // Longer than a line: alone on its line, whole.
    const std::string longFormula = "L=" + std::string(90, '9') + "/(2*3.14159)";
    cases.push_back({"所需链长 " + longFormula + " 节", {longFormula}});
    return cases;
}

TEST(ReportWriters, TextBreaksExplanationsBetweenWordsNeverInsideANumberOrFormula) {
    for (const WrapCase& c : wrapCases()) {
        SCOPED_TRACE(c.explanation);
        Section section = historySection();
        section.rows = {ReportRow(section.columns.size())};
        section.rows[0][5].text = c.explanation;
        Document document;
        document.sections = {section};
        // The explanation's lines, indented under the captions' rule after the row.
        std::istringstream text(toText(document).substr(toText(document).find("\n-") + 1));
        std::vector<std::string> lines;
        std::string dense;
        for (std::string line; std::getline(text, line);) {
            if (line.starts_with("    ")) {
                lines.push_back(line.substr(4));
                dense += line;
                EXPECT_TRUE(displayWidth(lines.back()) <= 76 ||
                            std::ranges::find(c.whole, lines.back()) != c.whole.end())
                    << line;
            }
        }
        for (const std::string& token : c.whole) {
            EXPECT_TRUE(std::ranges::any_of(lines, [&](const std::string& l) {
                return l.find(token) != std::string::npos;
            })) << token;
        }
        // Nothing but blanks is lost or added.
        std::erase(dense, ' ');
        std::string expected = c.explanation;
        std::erase(expected, ' ');
        EXPECT_EQ(dense, expected);
    }
}

// Pages 100 tall from band heights: sections whose bands fall on the pages' ends.
struct PagingCase {
    const char* name;
    std::vector<SectionHeights> sections;
};

void PrintTo(const PagingCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<double> rowsOf(std::size_t count, double height) {
    return std::vector<double>(count, height);
}

const std::vector<PagingCase> kPaging{
    {"title at the foot of a page", {{10, 5, false, rowsOf(9, 8)}, {12, 6, true, rowsOf(5, 8)}}},
    {"entries with pictures", {{8, 4, true, rowsOf(40, 27)}}},
    {"caption printed once", {{8, 4, false, rowsOf(40, 27)}}},
    {"empty section at the end", {{10, 5, false, rowsOf(10, 8)}, {12, 6, true, {}}}},
    {"entry taller than a page", {{8, 4, true, {30, 30, 250, 30}}}},
    {"first entry taller than a page", {{8, 4, false, {250, 30}}}},
};

constexpr double kPage = 100;

class PagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(PagingTest, RowsWholeTitlesWithTheirTablesHeadersOnEveryPage) {
    const auto& sections = GetParam().sections;
    const auto pages = paginate(sections, kPage);
    // Per band: the pages it prints on and the height printed there.
    std::map<std::tuple<std::size_t, BandKind, std::size_t>, std::vector<std::size_t>> pagesOf;
    std::map<std::tuple<std::size_t, BandKind, std::size_t>, double> printed;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        double y = 0;
        for (const PlacedBand& b : pages[p]) {
            EXPECT_DOUBLE_EQ(b.top, y) << "page " << p;
            y += b.height;
            const auto key = std::make_tuple(b.section, b.kind, b.row);
            if (b.kind == BandKind::Caption && pagesOf.contains(key)) {
                continue; // a repeated column header
            }
            pagesOf[key].push_back(p);
            printed[key] += b.height;
        }
        EXPECT_LE(y, kPage) << "page " << p;
        // Rows continued on a page start under their header when it repeats.
        const PlacedBand& first = pages[p].front();
        EXPECT_FALSE(first.kind == BandKind::Row && sections[first.section].captionRepeats);
    }
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const SectionHeights& section = sections[s];
        const std::size_t titlePage = pagesOf[{s, BandKind::Title, 0}].front();
        const std::vector<std::size_t> captionPages = pagesOf[{s, BandKind::Caption, 0}];
        EXPECT_EQ(captionPages, std::vector<std::size_t>{titlePage});
        for (std::size_t r = 0; r < section.rows.size(); ++r) {
            SCOPED_TRACE(::testing::Message() << "section " << s << " row " << r);
            const auto& rowPages = pagesOf[{s, BandKind::Row, r}];
            const double rowPrinted = printed[{s, BandKind::Row, r}];
            EXPECT_DOUBLE_EQ(rowPrinted, section.rows[r]);
            const bool fits = section.rows[r] <= kPage - section.caption;
            EXPECT_EQ(rowPages.size() == 1, fits);
            if (r == 0 && fits && section.title + section.caption + section.rows[0] <= kPage) {
                EXPECT_EQ(rowPages.front(), titlePage);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Bands, PagingTest, ::testing::ValuesIn(kPaging), [](const auto& paging) {
    std::string name;
    for (const char c : std::string(paging.param.name)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
});

} // namespace
} // namespace zorvane::report
