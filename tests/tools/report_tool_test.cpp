// zorvane-report as a program, on designs run by the batch runner: every file it writes, read
// back with the poppler tools (page size, text, pictures) and as text, CSV and HTML.

#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/store/directory_lock.h"
#include "core/store/table.h"
#include "support/ended_process.h"
#include "support/workspace.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>

namespace zorvane {
namespace {

namespace fs = std::filesystem;

constexpr std::array<const char*, 5> kStems{"combined", "init", "result", "size", "history"};
constexpr std::array<const char*, 4> kSuffixes{".pdf", ".txt", ".csv", ".html"};

struct ToolRun {
    int exitCode = -1;
    std::string errors;
};

std::string quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

std::string capture(const std::string& command) {
    std::string out;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::array<char, 4096> buffer{};
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get())) {
        out += buffer.data();
    }
    return out;
}

std::string readFile(const fs::path& path) {
    std::ostringstream text;
    text << std::ifstream(path, std::ios::binary).rdbuf();
    return text.str();
}

ToolRun runReport(const fs::path& db, const fs::path& out, const fs::path& scratch) {
    const fs::path errors = scratch / "report-errors.txt";
    const std::string command = std::string("'") + ZORVANE_REPORT + "' --db " + quoted(db) +
                                " --out " + quoted(out) + " > /dev/null 2> " + quoted(errors);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readFile(errors)};
}

std::string lowered(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// The text of an HTML page as a reader sees it, near enough for finding cell values.
std::string htmlText(std::string html) {
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"<br>", ""}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}}) {
        for (auto at = html.find(from); at != std::string::npos; at = html.find(from, at)) {
            html.replace(at, from.size(), to);
            at += to.size();
        }
    }
    return html;
}

std::string withoutBlanks(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (!std::isspace(static_cast<unsigned char>(c))) {
            out += c;
        }
    }
    return out;
}

// The text cells of a working table by field, and how many rows carry a picture.
struct TableCells {
    std::vector<std::vector<std::string>> rows;
    int pictures = 0;
};

TableCells cellsOf(const fs::path& db, const char* name, std::vector<const char*> fields) {
    store::Table table(db, name);
    table.open();
    TableCells cells;
    for (table.first(); !table.eof(); table.next()) {
        std::vector<std::string> row;
        for (const char* field : fields) {
            const std::string text = table.text(field);
            row.push_back(text.substr(std::min(text.find_first_not_of(' '), text.size())));
        }
        cells.rows.push_back(row);
        if (table.fieldIndex("公式") >= 0 && !table.field("公式").asBytes().empty()) {
            ++cells.pictures;
        }
    }
    return cells;
}

// The report writer's files of a design whose tables the build made: the tool reads the
// design's database directory and writes into a fresh directory below a temporary one.
struct Written {
    fs::path db;
    testing::TempDir dir;
    fs::path out;
    ToolRun run;
};

std::unique_ptr<Written> writeReportsOf(const fs::path& db) {
    auto written = std::make_unique<Written>();
    written->db = db;
    written->out = written->dir.path() / "reports" / "new";
    written->run = runReport(db, written->out, written->dir.path());
    return written;
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The records of a CSV text after its byte-order mark, fields unquoted.
std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> records(1, std::vector<std::string>(1));
    bool inQuotes = false;
    for (std::size_t i = text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
         i < text.size(); ++i) {
        const char c = text[i];
        if (inQuotes) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                records.back().back() += '"';
                ++i;
            } else if (c == '"') {
                inQuotes = false;
            } else {
                records.back().back() += c;
            }
        } else if (c == '"') {
            inQuotes = true;
        } else if (c == ',') {
            records.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            records.emplace_back(1);
            ++i;
        } else {
            records.back().back() += c;
        }
    }
    records.pop_back(); // after the last line end
    return records;
}

// The page (from 1) of each picture of a PDF, in the order they are drawn.
std::vector<int> imagePages(const fs::path& pdf) {
    std::vector<int> pages;
    std::istringstream lines(capture("pdfimages -list " + quoted(pdf)));
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        int page = 0;
        std::string number, type;
        if (words >> page >> number >> type && type == "image") {
            pages.push_back(page);
        }
    }
    return pages;
}

// The text of each page of a PDF without blanks; the page (from 1) holding `text`, or 0.
std::vector<std::string> pageTexts(const fs::path& pdf) {
    std::vector<std::string> pages;
    std::istringstream text(capture("pdftotext " + quoted(pdf) + " -"));
    for (std::string page; std::getline(text, page, '\f');) {
        pages.push_back(withoutBlanks(page));
    }
    return pages;
}
int pageHolding(const std::vector<std::string>& pages, const std::string& text) {
    for (std::size_t p = 0; p < pages.size(); ++p) {
        if (pages[p].find(text) != std::string::npos) {
            return static_cast<int>(p) + 1;
        }
    }
    return 0;
}

// What each single report prints: its table, its fields and its title.
struct Printed {
    const char* stem;
    const char* table;
    std::vector<const char*> fields;
    const char* title;
};
const std::vector<Printed> kPrinted{
    {"init", "Init_Unnamed", {"项目", "数值", "单位"}, "初始条件"},
    {"result", "Result_Unnamed", {"项目", "数值", "单位"}, "设计结果"},
    {"size",
     "Size_Unnamed",
     {"名称", "符号", "小链轮数值", "大链轮数值", "单位", "关系式"},
     "链轮的基本尺寸"},
    {"history", "Hty_Rec_Unnamed", {"项目", "符号", "数值", "单位"}, "历史记录结果报表"},
};

// The checks of one design's files, each written once per design since a run of the program
// costs more than the checks.
class FinishedDesignTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        written_ = writeReportsOf(fs::path(ZORVANE_REPORT_DESIGNS) / GetParam());
    }
    const Written& w() { return *written_; }
    std::unique_ptr<Written> written_;
    void everyFileWritten();
    void pdfPagesAreA4AndHoldTitlesAndEveryValue();
    void historyPdfHoldsOnePicturePerEntry();
    void textCsvAndHtmlHoldEveryRow();
};

void FinishedDesignTest::everyFileWritten() {
    std::size_t files = 0;
    for (const char* stem : kStems) {
        for (const char* suffix : kSuffixes) {
            const fs::path file = w().out / (std::string(stem) + suffix);
            EXPECT_TRUE(fs::is_regular_file(file)) << file;
            EXPECT_GT(fs::file_size(file), 0u) << file;
            ++files;
        }
    }
    // No scratch files stay behind.
    EXPECT_EQ(static_cast<std::size_t>(
                  std::distance(fs::directory_iterator(w().out), fs::directory_iterator())),
              files);
}

void FinishedDesignTest::pdfPagesAreA4AndHoldTitlesAndEveryValue() {
    const std::string combined =
        withoutBlanks(capture("pdftotext " + quoted(w().out / "combined.pdf") + " -"));
    for (const Printed& p : kPrinted) {
        SCOPED_TRACE(p.stem);
        const fs::path pdf = w().out / (std::string(p.stem) + ".pdf");
        const std::string info = capture("pdfinfo " + quoted(pdf));
        EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
        const std::string text = withoutBlanks(capture("pdftotext " + quoted(pdf) + " -"));
        EXPECT_NE(text.find(p.title), std::string::npos);
        const TableCells cells = cellsOf(w().db, p.table, p.fields);
        EXPECT_FALSE(cells.rows.empty());
        for (const auto& row : cells.rows) {
            for (const std::string& value : row) {
                EXPECT_NE(text.find(withoutBlanks(value)), std::string::npos) << value;
                if (std::string(p.stem) != "history") {
                    EXPECT_NE(combined.find(withoutBlanks(value)), std::string::npos) << value;
                }
            }
        }
    }
}

void FinishedDesignTest::historyPdfHoldsOnePicturePerEntry() {
    const TableCells cells = cellsOf(w().db, "Hty_Rec_Unnamed", {"项目"});
    EXPECT_GT(cells.pictures, 0);
    EXPECT_EQ(imagePages(w().out / "history.pdf").size(), static_cast<std::size_t>(cells.pictures));
}

void FinishedDesignTest::textCsvAndHtmlHoldEveryRow() {
    for (const Printed& p : kPrinted) {
        SCOPED_TRACE(p.stem);
        const TableCells cells = cellsOf(w().db, p.table, p.fields);
        const std::string csvText = readFile(w().out / (std::string(p.stem) + ".csv"));
        EXPECT_TRUE(csvText.starts_with(kByteOrderMark));
        const auto csv = parseCsv(csvText);
        ASSERT_EQ(csv.size(), cells.rows.size() + 1);
        const std::string text = readFile(w().out / (std::string(p.stem) + ".txt"));
        const std::string html = readFile(w().out / (std::string(p.stem) + ".html"));
        const std::string shown = withoutBlanks(htmlText(html));
        for (std::size_t r = 0; r < cells.rows.size(); ++r) {
            for (std::size_t f = 0; f < p.fields.size(); ++f) {
                const std::string& value = cells.rows[r][f];
                if (std::string(p.fields[f]) != "名称") { // printed split in two
                    EXPECT_EQ(csv[r + 1][f], value);
                }
                EXPECT_NE(withoutBlanks(text).find(withoutBlanks(value)), std::string::npos)
                    << value;
                EXPECT_NE(shown.find(withoutBlanks(value)), std::string::npos) << value;
            }
        }
        int images = 0;
        for (std::size_t at = html.find("<img"); at != std::string::npos;
             at = html.find("<img", at + 1)) {
            ++images;
        }
        EXPECT_EQ(images, cells.pictures);
        EXPECT_EQ(html.find("src=\"http"), std::string::npos);
    }
}

TEST_P(FinishedDesignTest, EveryFileHoldsTheTitlesAndEveryRow) {
    ASSERT_EQ(w().run.exitCode, 0) << w().run.errors;
    everyFileWritten();
    pdfPagesAreA4AndHoldTitlesAndEveryValue();
    historyPdfHoldsOnePicturePerEntry();
    textCsvAndHtmlHoldEveryRow();
}

INSTANTIATE_TEST_SUITE_P(Designs, FinishedDesignTest,
                         ::testing::Values("roller_low_speed_single_row", "toothed_medium_speed"));

// The tables of a design stopped after its first steps: initial conditions and a few results.
void writeUnfinishedDesign(const fs::path& db) {
    records::ResultTables results(db, "R", false);
    records::DesignHistory history(db, "RD", false);
    results.AddRow("传递功率", "3", "kW", "i");
    results.AddRow("小链轮齿数", "15", "", "r");
    history.AddEntry("小链轮齿数", 15);
}

TEST(ReportTool, UnfinishedDesignGetsItsRowsAndTitles) {
    testing::Workspace workspace;
    writeUnfinishedDesign(workspace.database());
    const auto w = writeReportsOf(workspace.database());
    ASSERT_EQ(w->run.exitCode, 0) << w->run.errors;
    EXPECT_EQ(parseCsv(readFile(w->out / "size.csv")).size(), 1u);
    const std::string text =
        withoutBlanks(capture("pdftotext " + quoted(w->out / "size.pdf") + " -"));
    EXPECT_NE(text.find("链轮的基本尺寸"), std::string::npos);
    EXPECT_NE(text.find("关系式"), std::string::npos);
    EXPECT_EQ(parseCsv(readFile(w->out / "init.csv")).size(), 2u);
    EXPECT_EQ(parseCsv(readFile(w->out / "history.csv")).size(), 2u);
}

// Pages of the history and the combined report, read back from their PDF files: an entry's
// picture prints on the page of its value, a section's title on the page of its first row.
TEST(ReportPages, HistoryEntriesKeepTheirPicturesOnTheirPage) {
    testing::Workspace workspace;
    const fs::path db = workspace.database();
    {
        std::vector<std::string> items;
        store::Table formulas(db, "R_design");
        formulas.open();
        for (formulas.first(); !formulas.eof(); formulas.next()) {
            if (!formulas.field("公式").asBytes().empty()) {
                items.push_back(formulas.text("项目"));
            }
        }
        ASSERT_GE(items.size(), 5u);
        records::ResultTables results(db, "R", false);
        records::DesignHistory history(db, "RD", false);
        for (std::size_t k = 0; k < 40; ++k) {
            history.AddEntry(items[k % items.size()], 7000.5 + static_cast<double>(k));
        }
    }
    const auto w = writeReportsOf(db);
    ASSERT_EQ(w->run.exitCode, 0) << w->run.errors;
    const fs::path pdf = w->out / "history.pdf";
    const auto pages = pageTexts(pdf);
    const auto pictures = imagePages(pdf);
    const TableCells values = cellsOf(db, "Hty_Rec_Unnamed", {"数值"});
    ASSERT_EQ(pictures.size(), values.rows.size());
    EXPECT_GE(pages.size(), 4u);
    for (std::size_t k = 0; k < values.rows.size(); ++k) {
        const std::string& value = values.rows[k][0];
        EXPECT_EQ(pictures[k], pageHolding(pages, withoutBlanks(value)))
            << "entry " << k + 1 << ": " << value;
    }
}

TEST(ReportPages, SectionTitlesShareThePageOfTheirFirstRow) {
    // More initial conditions move the titles after them down the page, past its foot.
    for (int initRows = 20; initRows <= 30; ++initRows) {
        SCOPED_TRACE(initRows);
        testing::Workspace workspace;
        {
            records::ResultTables results(workspace.database(), "R", false);
            for (int i = 0; i < initRows; ++i) {
                results.AddRow("条件" + std::to_string(100 + i), "1", "mm", "i");
            }
            for (int i = 0; i < 25; ++i) {
                results.AddRow("结果" + std::to_string(100 + i), "2", "", "r");
            }
            results.AddSizeRow("分度圆直径", 91.634, 273.2);
            records::DesignHistory(workspace.database(), "RD", false).AddEntry("小链轮齿数", 15);
        }
        const auto w = writeReportsOf(workspace.database());
        ASSERT_EQ(w->run.exitCode, 0) << w->run.errors;
        const auto pages = pageTexts(w->out / "combined.pdf");
        EXPECT_EQ(pageHolding(pages, "设计结果"), pageHolding(pages, "结果100"));
        EXPECT_EQ(pageHolding(pages, "链轮的基本尺寸"), pageHolding(pages, "分度圆直径"));
        EXPECT_GT(pageHolding(pages, "分度圆直径"), 1);
    }
}

struct BrokenCase {
    const char* name;
    const char* file; // removed, or replaced by garbage
    bool damage;
};

void PrintTo(const BrokenCase& c, std::ostream* os) {
    *os << c.name;
}

class BrokenTableTest : public ::testing::TestWithParam<BrokenCase> {};

TEST_P(BrokenTableTest, StopsWithTheStoresMessageAndWritesNothing) {
    const BrokenCase& c = GetParam();
    testing::Workspace workspace;
    const fs::path db = workspace.database();
    writeUnfinishedDesign(db);
    // Table names ignore case: the history's writer spells it Hty_Rec_UnNamed.
    for (const auto& entry : fs::directory_iterator(db)) {
        if (lowered(entry.path().filename().string()) == lowered(c.file)) {
            fs::remove(entry.path());
        }
    }
    if (c.damage) {
        std::ofstream(db / c.file, std::ios::binary) << "damaged";
    }
    const fs::path out = workspace.path() / "out";
    fs::create_directories(out);
    std::ofstream(out / "combined.pdf") << "earlier";
    const ToolRun run = runReport(db, out, workspace.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("zorvane-report: "), std::string::npos) << run.errors;
    EXPECT_NE(lowered(run.errors).find(lowered(fs::path(c.file).stem().string())),
              std::string::npos)
        << run.errors;
    // The earlier file is left as it was, and nothing was added.
    EXPECT_EQ(readFile(out / "combined.pdf"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 1);
}

INSTANTIATE_TEST_SUITE_P(Tables, BrokenTableTest,
                         ::testing::Values(BrokenCase{"missing", "Result_Unnamed.db", false},
                                           BrokenCase{"damaged", "Size_Unnamed.db", true},
                                           BrokenCase{"history", "Hty_Rec_Unnamed.mb", false}),
                         [](const auto& param) { return std::string(param.param.name); });

ino_t inodeOf(const fs::path& path) {
    struct stat status {};
    ::stat(path.c_str(), &status);
    return status.st_ino;
}

// An output directory that holds an earlier set ("old" in every file), a file of the user's and
// temporaries of report runs: one ended (inside and beside), one of a live process.
struct EarlierOutput {
    testing::Workspace workspace;
    fs::path out = workspace.path() / "out";
    fs::path endedInside;
    fs::path endedBeside;
    fs::path liveBeside = workspace.path() / (".out.zorvane-report-" + std::to_string(::getppid()));

    EarlierOutput() {
        writeUnfinishedDesign(workspace.database());
        fs::create_directories(out);
        for (const char* stem : kStems) {
            for (const char* suffix : kSuffixes) {
                std::ofstream(out / (std::string(stem) + suffix)) << "old";
            }
        }
        std::ofstream(out / "notes.txt") << "mine";
        const std::string ended = std::to_string(testing::endedProcessId());
        endedInside = out / (".zorvane-report-" + ended);
        endedBeside = workspace.path() / (".out.zorvane-report-" + ended);
        for (const fs::path& folder : {endedInside, endedBeside, liveBeside}) {
            fs::create_directories(folder);
            std::ofstream(folder / "combined.pdf") << "part";
        }
    }
    // How many files of the set hold `text`.
    int setFilesHolding(const std::string& text) const {
        int count = 0;
        for (const char* stem : kStems) {
            for (const char* suffix : kSuffixes) {
                count += readFile(out / (std::string(stem) + suffix)) == text ? 1 : 0;
            }
        }
        return count;
    }
    std::vector<std::string> temporaries() const {
        std::vector<std::string> names;
        for (const fs::path& dir : {out, workspace.path()}) {
            for (const auto& entry : fs::directory_iterator(dir)) {
                if (entry.path().filename().string().find(".zorvane-report-") !=
                    std::string::npos) {
                    names.push_back(entry.path().filename().string());
                }
            }
        }
        return names;
    }
};

// Replaced as a whole, with a folder in the output directory (moved file by file) or without.
class ReportSetTest : public ::testing::TestWithParam<bool> {};

TEST_P(ReportSetTest, ReplacesTheWholeSetKeepsOtherFilesAndClearsEndedRuns) {
    EarlierOutput earlier;
    if (GetParam()) {
        fs::create_directories(earlier.out / "drawings");
    }
    const fs::path notes = earlier.out / "notes.txt";
    const auto notesInode = inodeOf(notes);
    const ToolRun run =
        runReport(earlier.workspace.database(), earlier.out, earlier.workspace.path());
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(earlier.setFilesHolding("old"), 0);
    EXPECT_EQ(parseCsv(readFile(earlier.out / "init.csv")).size(), 2u);
    EXPECT_EQ(readFile(notes), "mine");
    EXPECT_EQ(inodeOf(notes), notesInode); // the same file, not a copy
    EXPECT_EQ(fs::is_directory(earlier.out / "drawings"), GetParam());
    EXPECT_EQ(earlier.temporaries(),
              std::vector<std::string>{earlier.liveBeside.filename().string()});
}

INSTANTIATE_TEST_SUITE_P(Output, ReportSetTest, ::testing::Bool(), [](const auto& param) {
    return param.param ? "WithFolder" : "FilesOnly";
});

TEST(ReportSet, AFailedWriteLeavesTheEarlierSet) {
    EarlierOutput earlier;
    fs::remove(earlier.out / "init.csv");
    fs::create_directories(earlier.out / "init.csv");
    const ToolRun run =
        runReport(earlier.workspace.database(), earlier.out, earlier.workspace.path());
    EXPECT_EQ(run.exitCode, 3);
    EXPECT_NE(run.errors.find("无法写入文件“" + (earlier.out / "init.csv").string() +
                              "”：这是一个目录，不是文件"),
              std::string::npos)
        << run.errors;
    EXPECT_EQ(earlier.setFilesHolding("old"), 19);
    EXPECT_EQ(readFile(earlier.out / "notes.txt"), "mine");
}

TEST(ReportSet, SharesTheDirectoryWithReadersButNotWithAWriter) {
    testing::Workspace workspace;
    const fs::path db = workspace.database();
    writeUnfinishedDesign(db);
    {
        const store::DirectoryReadLock reader(db);
        const ToolRun run = runReport(db, workspace.path() / "read", workspace.path());
        EXPECT_EQ(run.exitCode, 0) << run.errors;
    }
    const store::detail::DirectoryLock writer(db);
    const ToolRun run = runReport(db, workspace.path() / "written", workspace.path());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(
        run.errors.find("zorvane-report: 数据库目录“" + db.string() + "”中的设计正由另一个程序"),
        std::string::npos)
        << run.errors;
    EXPECT_FALSE(fs::exists(workspace.path() / "written"));
}

TEST(ReportTool, MissingDatabaseAndWrongCommandLine) {
    testing::TempDir dir;
    const ToolRun run = runReport(dir.path() / "database", dir.path() / "out", dir.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.errors.find("找不到数据库目录"), std::string::npos) << run.errors;
    EXPECT_FALSE(fs::exists(dir.path() / "out"));
    const fs::path errors = dir.path() / "usage.txt";
    const int status =
        std::system((std::string("'") + ZORVANE_REPORT + "' --db 2> " + quoted(errors)).c_str());
    EXPECT_EQ(WEXITSTATUS(status), 2);
    EXPECT_NE(readFile(errors).find("用法：zorvane-report --db DIR --out DIR"), std::string::npos);
}

} // namespace
} // namespace zorvane
