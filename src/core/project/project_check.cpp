#include "core/project/project_check.h"
#include "core/design/chain_design.h"

#include "core/design/computable_range.h"
#include "core/design/initial_conditions.h"
#include "core/design/problem.h"
#include "core/design/reference_data.h"
#include "core/project/record_check.h"
#include "core/roller/roller_record.h"
#include "core/store/sqlite_handle.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/workspace.h"
#include "core/text/ascii_case.h"

#include <cmath>
#include <fstream>
#include <unistd.h>

namespace zorvane::project {

namespace fs = std::filesystem;
using design::Chain;

namespace {

// The values the initial-conditions step button's snapshot carries are input like the record:
// list items within their lists, switches 0 or 1, the centre distance range finite.
void checkCarriedValues(const ProjectImage& image, const std::string& fileName) {
    struct Item {
        std::string_view key;
        std::string_view label;
        std::int64_t lowest, highest;
    };
    const std::array<Item, 4> items{{
        {kSpeedItem, "传动速度", 0, static_cast<std::int64_t>(design::kSpeedItems.size()) - 1},
        {kLubItem, "润滑条件", 0, static_cast<std::int64_t>(design::kLubItems.size()) - 1},
        {kLifeChecked, "使用寿命的选择", 0, 1},
        {kNeedLifeCheck, "寿命校核的要求", roller::kLifeCheckNone, roller::kLifeCheckRequired},
    }};
    const auto controls = controlList(image.listChain());
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (!carriesInitialValues(controls[i].name)) {
            continue;
        }
        const auto refuse = [&](std::string_view label) {
            throw ProjectError("项目文件“" + fileName + "”无法打开：" +
                               controlDescription(image.listChain(), i) + "的保存外观中的“" +
                               std::string(label) + "”超出了它的取值范围");
        };
        const ControlSnapshot& snapshot = image.snapshots[i];
        for (const Item& item : items) {
            const auto it = snapshot.integers.find(std::string(item.key));
            if (it != snapshot.integers.end() &&
                (it->second < item.lowest || it->second > item.highest ||
                 (item.key == kNeedLifeCheck && it->second != item.lowest &&
                  it->second != item.highest))) {
                refuse(item.label);
            }
        }
        for (const auto key : {kA0RangeLow, kA0RangeHigh}) {
            const auto it = snapshot.numbers.find(std::string(key));
            if (it != snapshot.numbers.end() && !(std::isfinite(it->second) && it->second >= 0 &&
                                                  it->second <= design::kInitA0Range.highest)) {
                refuse("以节距表示的中心距的范围");
            }
        }
    }
}

// The rows a table file holds, or the values a memo file holds, counted without reading them.
// The file has passed the check of its objects: it holds the store's tables or none.
std::int64_t storedRows(const fs::path& file) {
    const bool memo = text::equalIgnoringAsciiCase(file.extension().string(), ".mb");
    store::detail::Connection connection(file, store::detail::Connection::Mode::ReadOnly);
    store::detail::Statement tables(connection,
                                    "SELECT count(*) FROM sqlite_master WHERE type = 'table'");
    if (!tables.step() || tables.columnInt(0) == 0) {
        return 0;
    }
    store::detail::Statement count(connection, memo ? "SELECT count(*) FROM zv_blobs"
                                                    : "SELECT count(*) FROM zv_rows");
    return count.step() ? count.columnInt(0) : 0;
}

// The tables of the file must open as this program's tables, with the fields of the templates
// that a design of its kind writes, and within the bounds on their rows, before anything of the
// open design is given up. A table that fails is named in the user's words.
void checkWorkTables(const ProjectImage& image, const fs::path& databaseDir,
                     const std::string& file) {
    const auto refuse = [&](std::size_t index, const std::string& what) {
        throw ProjectError("项目文件“" + file + "”无法打开：其中的" + workFileDescription(index) +
                           what);
    };
    const fs::path scratch = databaseDir / (".zorvane-open-" + std::to_string(::getpid()));
    std::error_code error;
    fs::remove_all(scratch, error);
    fs::create_directories(scratch, error);
    if (error) {
        throw ProjectError("无法检查项目文件“" + file + "”：数据库目录不可写");
    }
    struct Cleanup {
        fs::path dir;
        ~Cleanup() {
            std::error_code ignored;
            fs::remove_all(dir, ignored);
        }
    } cleanup{scratch};
    for (std::size_t i = 0; i < kWorkFileCount; ++i) {
        const fs::path table = scratch / kWorkFileNames[i];
        std::ofstream(table, std::ios::binary) << image.work[i].bytes;
        if (image.work[i].bytes.empty()) {
            continue;
        }
        // The same test the database directory's opening makes, which would set the file aside:
        // a table file brings rows and nothing else, no trigger, view, index or table of its own.
        if (const auto problem = store::Workspace::fileProblem(table)) {
            refuse(i, *problem);
        }
        const bool history = kWorkFileNames[i].starts_with("Hty_Rec");
        const std::int64_t most = history ? kMaxHistoryRows : kMaxTableRows;
        std::int64_t rows = 0;
        try {
            rows = storedRows(table);
        } catch (const store::StoreError&) {
            refuse(i, "已损坏");
        }
        if (rows > most) {
            refuse(i, "有 " + std::to_string(rows) + " 行，超过了 " + std::to_string(most) +
                          " 行的上限");
        }
    }
    const design::ChainKind& kind = design::chainKind(image.listChain());
    // Each table file of the header with the template whose fields it must have.
    const std::array<std::pair<const char*, const char*>, 4> tables{{
        {"Init_Unnamed", "Result"},
        {"Result_Unnamed", "Result"},
        {"Size_Unnamed", kind.sizeTemplate},
        {"Hty_Rec_Unnamed", kind.historyTemplate},
    }};
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const auto& [name, templateName] = tables[i];
        bool sameFields = true;
        try {
            store::Table table(scratch, name);
            table.open();
            store::Table model(databaseDir, templateName);
            model.open();
            sameFields = table.fields() == model.fields();
            for (int row = 0; sameFields && row < table.recordCount(); ++row) {
                table.row(row); // memo and graphic values are read too
            }
        } catch (const store::StoreError&) {
            refuse(i, "已损坏，或不是本程序的表");
        }
        if (!sameFields) {
            refuse(i, "不是本程序的表结构");
        }
    }
}

} // namespace

void checkProjectSize(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error && size > largestProjectBytes()) {
        throw ProjectError("项目文件“" + file.string() + "”无法打开：文件大小 " +
                           std::to_string(size) + " 字节超过了项目文件的上限 " +
                           std::to_string(largestProjectBytes()) + " 字节");
    }
}

void checkProject(const ProjectImage& image, const fs::path& databaseDir,
                  const std::string& fileName) {
    checkCarriedValues(image, fileName);
    if (image.emptyDesign) {
        return;
    }
    // A saved design goes on only over the installed reference data, unchanged.
    try {
        design::checkReferenceData(databaseDir, image.listChain());
    } catch (const design::ReferenceDataError& problem) {
        throw ProjectError("无法打开项目文件“" + fileName + "”：" + problem.what());
    }
    checkDesignRecord(image, readReferenceChains(databaseDir, image.listChain(), fileName),
                      fileName);
    checkWorkTables(image, databaseDir, fileName);
}

} // namespace zorvane::project
