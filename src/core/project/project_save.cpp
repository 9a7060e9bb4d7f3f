#include "core/project/project_save.h"

#include "core/design/computable_range.h"
#include "core/design/initial_conditions.h"
#include "core/design/problem.h"
#include "core/design/reference_data.h"
#include "core/project/project_file.h"
#include "core/project/record_check.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/records/working_tables.h"
#include "core/roller/roller_record.h"
#include "core/store/sqlite_handle.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/workspace.h"
#include "core/text/ascii_case.h"
#include "core/text/gbk.h"
#include "core/toothed/toothed_record.h"

#include <cmath>
#include <fstream>
#include <unistd.h>

namespace zorvane::project {

namespace fs = std::filesystem;
using design::Chain;

namespace {

// A path as the header stores it: GBK, characters GBK lacks as '?', cut to the capacity by
// the writer. Loading never reads it back into a path.
std::string headerPath(const fs::path& path) {
    try {
        return text::utf8ToGbk(path.string());
    } catch (const text::EncodingError&) {
        return "?";
    }
}

design::ButtonState* buttonOf(design::MainState& state, std::string_view name) {
    if (name == "spnBegin") {
        return &state.begin;
    }
    if (name == "spnSelect") {
        return &state.select;
    }
    for (Chain chain : {Chain::Roller, Chain::Toothed}) {
        for (const auto& step : design::steps(chain)) {
            if (step.name == name) {
                return &state.panelOf(chain).steps[static_cast<std::size_t>(step.position)];
            }
        }
    }
    return nullptr;
}

// The panel flag a listed panel stands for, where the main state has one.
bool* panelFlag(design::MainState& state, std::string_view name) {
    if (name == "pnlRollerChain") {
        return &state.roller.visible;
    }
    if (name == "pnlDentiChain") {
        return &state.toothed.visible;
    }
    if (name == "pnlRstEnd") {
        return &state.sizeAreaVisible;
    }
    return nullptr;
}

// The initial-conditions switches that the later steps read and that the design record does
// not hold: carried as extra properties of the initial-conditions step button's snapshot.
constexpr std::string_view kSpeedItem = "SpeedItem";
constexpr std::string_view kLubItem = "LubItem";
constexpr std::string_view kLifeChecked = "LifeChecked";
// The main window's values of the pitch and centre distance steps, on the first step button.
constexpr std::string_view kNeedLifeCheck = "NeedLifeCheck";
constexpr std::string_view kA0RangeLow = "A0RangeLow";
constexpr std::string_view kA0RangeHigh = "A0RangeHigh";

bool isInitialStep(std::string_view name) {
    return name == "spnRInit" || name == "spnOriginal";
}

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
        if (!isInitialStep(controls[i].name)) {
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

} // namespace

TProjectSave::TProjectSave(design::DesignSession& session, Chain listChain)
    : session_(session), listChain_(listChain) {}

void TProjectSave::SetDesignRecord() {
    if (const auto* design = session_.design()) {
        const auto bytes = design->recordBytes();
        image_.record.assign(bytes.begin(), bytes.end());
        KindMarker = design->recordKindMark();
    }
}

void TProjectSave::CaptureControlStates() {
    auto& state = session_.state();
    image_.states.clear();
    image_.snapshots.clear();
    for (const auto& control : controlList(listChain_)) {
        ControlState entry{true, true, 0};
        ControlSnapshot snapshot;
        snapshot.className = control.className;
        snapshot.name = control.name;
        if (auto* button = buttonOf(state, control.name)) {
            entry.enabled = button->enabled;
            entry.visible = button->visible;
            snapshot.fontColor = button->blue ? kColorBlue : kColorBlack;
        } else if (auto* flag = panelFlag(state, control.name)) {
            entry.visible = *flag;
            snapshot.left = 0;
        } else if (control.name != "spnOpen" && control.kind != ControlKind::Panel) {
            entry.enabled = state.reportsEnabled; // the report commands
        }
        snapshot.enabled = entry.enabled;
        snapshot.visible = entry.visible;
        if (isInitialStep(control.name)) {
            const auto& init = session_.initInputs();
            snapshot.integers[std::string(kSpeedItem)] = init.speed;
            snapshot.integers[std::string(kLubItem)] = init.lub;
            snapshot.integers[std::string(kLifeChecked)] = init.hasLife ? 1 : 0;
            snapshot.integers[std::string(kNeedLifeCheck)] = state.NeedLifeCheck;
            snapshot.numbers[std::string(kA0RangeLow)] = state.A0Range[0];
            snapshot.numbers[std::string(kA0RangeHigh)] = state.A0Range[1];
        }
        image_.states.push_back(entry);
        image_.snapshots.push_back(std::move(snapshot));
    }
}

void TProjectSave::CaptureStepFlags() {
    const auto controls = controlList(listChain_);
    for (std::size_t i = 0; i < 13 && i < controls.size(); ++i) {
        if (const auto tag = stepTagOf(controls[i].name);
            tag && controls[i].kind == ControlKind::StepButton) {
            image_.states[i].done = session_.status().done(*tag) ? 1 : 0;
        }
    }
}

void TProjectSave::captureWorkFiles() {
    for (std::size_t i = 0; i < kWorkFileCount; ++i) {
        const fs::path file = session_.databaseDir() / kWorkFileNames[i];
        image_.work[i].path = headerPath(fs::absolute(file));
        std::error_code error;
        image_.work[i].bytes = fs::exists(file, error) ? readWholeFile(file) : std::string();
    }
}

void TProjectSave::Save() {
    const auto& state = session_.state();
    image_.emptyDesign = state.IsEmptyDesign || !session_.chain();
    if (!image_.emptyDesign) {
        if (image_.record.empty()) {
            SetDesignRecord();
        }
        image_.kind = KindMarker;
        const Chain chain = *session_.chain();
        if (session_.status().done(design::sprocketTag(chain))) {
            PicturePath =
                (session_.databaseDir() / (chain == Chain::Roller ? "RWheel.bmp" : "DWheel.bmp"))
                    .string();
        }
        image_.picturePath = headerPath(PicturePath);
        captureWorkFiles();
    }
    listChain_ = image_.listChain();
    const auto& designer = session_.designer().bytes();
    std::copy(designer.begin(), designer.end(), image_.designer.begin());
    CaptureControlStates();
    CaptureStepFlags();
    writeProjectFile(FilePath, encodeProject(image_));
}

void TProjectSave::Load() {
    // A file larger than the bounds admit is refused before it is read.
    std::error_code error;
    const auto size = fs::file_size(FilePath, error);
    if (!error && size > largestProjectBytes()) {
        throw ProjectError("项目文件“" + FilePath.string() + "”无法打开：文件大小 " +
                           std::to_string(size) + " 字节超过了项目文件的上限 " +
                           std::to_string(largestProjectBytes()) + " 字节");
    }
    const std::string bytes = readProjectFile(FilePath);
    image_ =
        decodeProject(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()),
                      FilePath.string());
    listChain_ = image_.listChain();
    KindMarker = image_.kind;
    checkCarriedValues(image_, FilePath.string());
    if (!image_.emptyDesign) {
        // A saved design goes on only over the installed reference data, unchanged.
        try {
            design::checkReferenceData(session_.databaseDir(), listChain_);
        } catch (const design::ReferenceDataError& problem) {
            throw ProjectError("无法打开项目文件“" + FilePath.string() + "”：" + problem.what());
        }
        checkDesignRecord(
            image_, readReferenceChains(session_.databaseDir(), listChain_, FilePath.string()),
            FilePath.string());
        checkWorkTables();
    }
}

namespace {

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

} // namespace

// The tables of the file must open as this program's tables, with the fields of the templates
// that a design of its kind writes, and within the bounds on their rows, before anything of the
// open design is given up. A table that fails is named in the user's words.
void TProjectSave::checkWorkTables() const {
    const std::string file = FilePath.string();
    const auto refuse = [&](std::size_t index, const std::string& what) {
        throw ProjectError("项目文件“" + file + "”无法打开：其中的" + workFileDescription(index) +
                           what);
    };
    const fs::path scratch =
        session_.databaseDir() / (".zorvane-open-" + std::to_string(::getpid()));
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
        std::ofstream(table, std::ios::binary) << image_.work[i].bytes;
        if (image_.work[i].bytes.empty()) {
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
    const bool roller = listChain_ == Chain::Roller;
    const std::array<std::pair<const char*, const char*>, 4> tables{{
        {"Init_Unnamed", "Result"},
        {"Result_Unnamed", "Result"},
        {"Size_Unnamed", roller ? "R_Size" : "D_Size"},
        {"Hty_Rec_Unnamed", roller ? "R_design" : "D_Design"},
    }};
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const auto& [name, templateName] = tables[i];
        bool sameFields = true;
        try {
            store::Table table(scratch, name);
            table.open();
            store::Table model(session_.databaseDir(), templateName);
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

void TProjectSave::restoreWorkFiles() const {
    store::Workspace* workspace = session_.workspace();
    workspace->releaseFiles();
    try {
        for (std::size_t i = 0; i < kWorkFileCount; ++i) {
            replaceFile(session_.databaseDir() / kWorkFileNames[i], image_.work[i].bytes);
        }
    } catch (...) {
        workspace->attachFiles();
        throw;
    }
    workspace->attachFiles();
}

void TProjectSave::applyStates() {
    auto& state = session_.state();
    auto& status = session_.status();
    const auto controls = controlList(listChain_);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const auto& control = controls[i];
        const ControlState& entry = image_.states[i];
        const ControlSnapshot& snapshot = image_.snapshots[i];
        if (auto* button = buttonOf(state, control.name)) {
            button->enabled = snapshot.enabled.value_or(entry.enabled);
            button->visible = snapshot.visible.value_or(entry.visible);
            button->blue = snapshot.fontColor == kColorBlue;
            if (entry.done == 1 && i < 13) {
                status.MarkDone(*stepTagOf(control.name));
            }
        } else if (auto* flag = panelFlag(state, control.name)) {
            *flag = entry.visible;
        } else if (control.kind == ControlKind::MenuItem ||
                   (control.kind == ControlKind::ToolButton && control.name != "spnOpen")) {
            state.reportsEnabled = entry.enabled;
        }
        if (isInitialStep(control.name)) {
            const auto& extra = snapshot.integers;
            design::InitInputs init;
            if (const auto it = extra.find(std::string(kSpeedItem)); it != extra.end()) {
                init.speed = static_cast<int>(it->second);
            }
            if (const auto it = extra.find(std::string(kLubItem)); it != extra.end()) {
                init.lub = static_cast<int>(it->second);
            }
            if (const auto it = extra.find(std::string(kLifeChecked)); it != extra.end()) {
                init.hasLife = it->second == 1;
            }
            if (const auto it = extra.find(std::string(kNeedLifeCheck)); it != extra.end()) {
                state.NeedLifeCheck = static_cast<int>(it->second);
            }
            const auto& numbers = snapshot.numbers;
            if (const auto it = numbers.find(std::string(kA0RangeLow)); it != numbers.end()) {
                state.A0Range[0] = it->second;
            }
            if (const auto it = numbers.find(std::string(kA0RangeHigh)); it != numbers.end()) {
                state.A0Range[1] = it->second;
            }
            session_.restoreInitInputs(init);
        }
    }
}

void TProjectSave::ApplyLoaded() {
    if (!image_.emptyDesign) {
        restoreWorkFiles();
    }
    applyStates();
    if (image_.emptyDesign) {
        return;
    }
    session_.designer().LoadDialog(records::DesignerRec::fromBytes(image_.designer));
    auto& state = session_.state();
    state.IsSaved = true;
    state.IsNewDesign = false;
    state.IsEmptyDesign = false;
    const Chain chain =
        text::equalIgnoringAsciiCase(KindMarker, "R") ? Chain::Roller : Chain::Toothed;
    session_.installLoadedDesign(
        chain, std::span(reinterpret_cast<const std::uint8_t*>(image_.record.data()),
                         image_.record.size()));
}

} // namespace zorvane::project
