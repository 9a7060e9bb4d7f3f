#include "core/design/reference_data.h"

#include "core/design/problem.h"
#include "core/design/reference_manifest.h"
#include "core/store/store_error.h"
#include "core/store/table.h"
#include "core/store/table_digest.h"
#include "core/text/ascii_case.h"
#include "core/text/number_text.h"

#include <algorithm>
#include <array>
#include <optional>

namespace zorvane::design {

namespace {

using namespace std::string_view_literals;

// Fields and rows the steps rely on, table by table.
constexpr std::array kChainNoNdFields{"链号"sv, "节距"sv};
constexpr std::array kChainNoNdNumbers{"节距"sv};
constexpr std::array kKZnumFields{"编号"sv};
constexpr std::array kKZnumNumbers{"#0"sv};
constexpr std::array kKmaxFields{"编号"sv, "节距"sv};
constexpr std::array kKmaxNumbers{"节距"sv};
constexpr std::array kKaNumbers{"#0"sv, "#1"sv};
constexpr std::array kRollerFields{"单排极限拉伸载荷Qmin"sv, "单排每米质量q"sv, "内链节外宽b2max"sv,
                                   "销轴直径dzmax"sv,        "滚子外径drmax"sv, "排距pt"sv,
                                   "内链板高度hmax"sv};
constexpr std::array kDkzFields{"小链轮齿数"sv, "齿数系数"sv};
constexpr std::array kDkzNumbers{"小链轮齿数"sv, "齿数系数"sv};
constexpr std::array kDcFields{"节距"sv, "编号"sv};
constexpr std::array kDcNumbers{"节距"sv, "编号"sv};
constexpr std::array kDcChildFields{"编号"sv, "链宽"sv};
constexpr std::array kDcChildNumbers{"编号"sv, "链宽"sv};
constexpr std::array kResultFields{"项目"sv, "数值"sv, "单位"sv};
constexpr std::array kSizeFields{"名称"sv,       "符号"sv,       "关系式"sv,
                                 "小链轮数值"sv, "大链轮数值"sv, "单位"sv};
constexpr std::array kHistoryFields{"项目"sv, "步骤"sv, "符号"sv, "数值"sv,
                                    "单位"sv, "公式"sv, "说明"sv};

constexpr std::array kRollerSizes{"排距"sv,           "分度圆直径"sv,          "齿顶圆最大直径"sv,
                                  "齿顶圆最小直径"sv, "分度圆最大舷齿高"sv,    "分度圆最小舷齿高"sv,
                                  "齿顶圆直径"sv,     "分度圆舷齿高"sv,        "齿根圆直径"sv,
                                  "最大齿根距离"sv,   "齿侧凸缘或排间槽直径"sv};
constexpr std::array kToothedSizes{
    "齿楔角"sv,          "分度圆直径"sv, "齿顶圆直径"sv,    "齿槽定位圆半径"sv,
    "分度角"sv,          "齿槽角"sv,     "齿形角"sv,        "齿面工作段最低点至节距线距离"sv,
    "齿根间隙(h方向)"sv, "齿根圆直径"sv, "接触终止圆直径"sv};
// The history items the steps record.
constexpr std::array kRollerItems{
    "小链轮齿数"sv, "大链轮齿数"sv,         "平均传动比"sv,         "设计功率"sv,
    "链条节距"sv,   "小链轮毂孔许用直径"sv, "链条速度"sv,           "初定中心距"sv,
    "链长节数"sv,   "链条长度"sv,           "使用寿命(疲劳寿命)"sv, "理论中心距"sv,
    "实际中心距"sv, "有效圆周力"sv,         "作用于轴上的拉力"sv,   "静强度安全系数"sv,
    "铰链比压"sv,   "使用寿命(磨损寿命)"sv, "铰链许用比压"sv};
constexpr std::array kToothedItems{
    "小链轮齿数"sv,         "大链轮齿数"sv, "平均传动比"sv, "链条节距"sv,   "设计功率"sv,
    "每米宽传递额定功率"sv, "链宽"sv,       "初定中心距"sv, "链长节数"sv,   "链条长度"sv,
    "理论中心距"sv,         "实际中心距"sv, "链条速度"sv,   "有效圆周力"sv, "作用于轴上的拉力"sv};

constexpr std::span<const std::string_view> kNone{};

// clang-format off
constexpr std::array<ReferenceTable, 13> kTables{{
    {"ChainNoNd", "滚子链链号表",         ChainUse::Roller,  kChainNoNdFields, 0, kChainNoNdNumbers, false, false, {}, kNone},
    {"dKZnum",    "小链轮齿数编号表",     ChainUse::Roller,  kKZnumFields,     1, kKZnumNumbers,     true,  false, {}, kNone},
    {"dKmax",     "小链轮毂孔许用直径表", ChainUse::Roller,  kKmaxFields,      3, kKmaxNumbers,      false, false, {}, kNone},
    {"Ka",        "中心距计算系数表",     ChainUse::Both,    kNone,            2, kKaNumbers,        true,  false, {}, kNone},
    {"Roller",    "滚子链数据表",         ChainUse::Roller,  kRollerFields,    1, kNone,             false, false, {}, kNone},
    {"dkz",       "齿数系数表",           ChainUse::Toothed, kDkzFields,       0, kDkzNumbers,       true,  false, {}, kNone},
    {"Dc",        "齿形链节距表",         ChainUse::Toothed, kDcFields,        0, kDcNumbers,        false, false, {}, kNone},
    {"DcChild",   "齿形链链宽表",         ChainUse::Toothed, kDcChildFields,   0, kDcChildNumbers,   false, false, {}, kNone},
    {"Result",    "结果表模板",           ChainUse::Both,    kResultFields,    0, kNone,             false, true,  {}, kNone},
    {"R_Size",    "滚子链链轮尺寸模板",   ChainUse::Roller,  kSizeFields,      0, kNone,             false, false, "名称", kRollerSizes},
    {"D_Size",    "齿形链链轮尺寸模板",   ChainUse::Toothed, kSizeFields,      0, kNone,             false, false, "名称", kToothedSizes},
    {"R_design",  "滚子链历史记录模板",   ChainUse::Roller,  kHistoryFields,   0, kNone,             false, false, "项目", kRollerItems},
    {"D_Design",  "齿形链历史记录模板",   ChainUse::Toothed, kHistoryFields,   0, kNone,             false, false, "项目", kToothedItems},
}};
// clang-format on

std::string titleOf(const ReferenceTable& table) {
    return std::string(table.role) + "“" + std::string(table.name) + "”";
}

[[noreturn]] void refuse(const ReferenceTable& table, const std::string& what) {
    throw ReferenceDataError(titleOf(table) + what + "，无法进行设计。");
}

int positionOf(const store::Table& data, std::string_view field) {
    if (field.starts_with('#')) {
        return field[1] - '0';
    }
    return data.fieldIndex(field);
}

std::string fieldTitle(std::string_view field) {
    if (field.starts_with('#')) {
        return "第 " + std::to_string(field[1] - '0' + 1) + " 个字段";
    }
    return "字段“" + std::string(field) + "”";
}

// A number, or a text that reads as one once its blanks are trimmed.
std::optional<double> numberIn(const store::Value& value) {
    if (const auto number = value.asNumber()) {
        return number;
    }
    return value.isText() ? text::parseDecimal(text::trimmed(value.text())) : std::nullopt;
}

void open(store::Table& data, const ReferenceTable& spec) {
    try {
        data.open();
    } catch (const store::StoreError& error) {
        throw ReferenceDataError(titleOf(spec) + "无法使用：" + error.what());
    }
}

void check(store::Table& data, const ReferenceTable& spec) {
    for (const auto field : spec.fields) {
        if (data.fieldIndex(field) < 0) {
            refuse(spec, "缺少字段“" + std::string(field) + "”");
        }
    }
    if (data.fieldCount() < spec.leadingFields) {
        refuse(spec, "只有 " + std::to_string(data.fieldCount()) + " 个字段，至少应有 " +
                         std::to_string(spec.leadingFields) + " 个");
    }
    if (data.isEmpty()) {
        if (spec.mayBeEmpty) {
            return;
        }
        refuse(spec, "中没有数据");
    }
    std::optional<double> previous;
    // Field by field through the cursor, so that no picture or memo is read for the check.
    for (int row = 0; row < data.recordCount(); ++row) {
        data.moveTo(row);
        for (std::size_t k = 0; k < spec.numbers.size(); ++k) {
            const int at = positionOf(data, spec.numbers[k]);
            const auto number =
                at >= 0 && at < data.fieldCount() ? numberIn(data.field(at)) : std::nullopt;
            if (!number) {
                refuse(spec, "第 " + std::to_string(row + 1) + " 行的" +
                                 fieldTitle(spec.numbers[k]) + "不是数值");
            }
            if (k == 0 && spec.ascending) {
                if (previous && *number <= *previous) {
                    refuse(spec, "第 " + std::to_string(row + 1) + " 行的" +
                                     fieldTitle(spec.numbers[k]) + "没有按升序排列");
                }
                previous = number;
            }
        }
    }
    if (spec.keys.empty()) {
        return;
    }
    const int keyAt = data.fieldIndex(spec.keyField);
    for (const auto key : spec.keys) {
        bool found = false;
        for (int row = 0; row < data.recordCount() && !found; ++row) {
            data.moveTo(row);
            found = text::equalIgnoringAsciiCase(data.text(keyAt), key);
        }
        if (!found) {
            refuse(spec,
                   "中没有" + std::string(spec.keyField) + "为“" + std::string(key) + "”的一行");
        }
    }
}

constexpr std::string_view kCannotGoOn = "，设计不能继续。请重新安装程序的数据库目录。";

// The table as it is now against the manifest the database build wrote: a row deleted or a value
// changed after installation passes every check above but changes what a design computes.
void compareWithInstalled(const store::Table& data, const ReferenceTable& spec,
                          const ManifestRead& manifest, const std::filesystem::path& databaseDir) {
    if (!manifest.problem.empty()) {
        throw ReferenceDataError(manifest.problem + "，无法核对" + titleOf(spec) +
                                 std::string(kCannotGoOn));
    }
    const ManifestEntry* entry = manifest.find(spec.name);
    if (!entry) {
        throw ReferenceDataError("参考数据清单“" + (databaseDir / kManifestFileName).string() +
                                 "”中没有" + titleOf(spec) + std::string(kCannotGoOn));
    }
    store::TableDigest now;
    try {
        now = store::digestOf(data); // reads the memo and graphic values too
    } catch (const store::StoreError& error) {
        throw ReferenceDataError(titleOf(spec) + "无法使用：" + error.what());
    }
    if (now != entry->digest) {
        throw ReferenceDataError(titleOf(spec) + "与安装的数据不一致（行数或内容被改动）" +
                                 std::string(kCannotGoOn));
    }
}

} // namespace

std::span<const ReferenceTable> referenceTables() {
    return kTables;
}

void checkReferenceTable(const std::filesystem::path& databaseDir, std::string_view name) {
    for (const auto& spec : kTables) {
        if (spec.name == name) {
            store::Table data(databaseDir, std::string(spec.name));
            open(data, spec);
            check(data, spec);
            return;
        }
    }
}

namespace {
bool usedBy(const ReferenceTable& table, Chain chain) {
    return table.use == ChainUse::Both ||
           table.use == (chain == Chain::Roller ? ChainUse::Roller : ChainUse::Toothed);
}
} // namespace

std::vector<std::string> referenceTableNames(Chain chain) {
    std::vector<std::string> names;
    for (const auto& spec : kTables) {
        if (usedBy(spec, chain)) {
            names.emplace_back(spec.name);
        }
    }
    return names;
}

void checkReferenceData(const std::filesystem::path& databaseDir, Chain chain) {
    const ManifestRead manifest = readManifest(databaseDir);
    for (const auto& spec : kTables) {
        if (usedBy(spec, chain)) {
            store::Table data(databaseDir, std::string(spec.name));
            open(data, spec);
            check(data, spec);
            compareWithInstalled(data, spec, manifest, databaseDir);
        }
    }
}

} // namespace zorvane::design
