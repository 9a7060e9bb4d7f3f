#include "core/design/reference_manifest.h"

#include "core/text/ascii_case.h"
#include "core/text/number_text.h"

#include <fstream>
#include <optional>
#include <sstream>
#include <system_error>

namespace zorvane::design {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kHeader = "# 参考数据清单：表名 行数 字段定义与各行数值的SHA-256摘要\n";
// A manifest lists a few dozen tables; anything far larger is no manifest and is not read.
constexpr std::uintmax_t kMaxManifestBytes = 256 * 1024;
constexpr std::size_t kDigestLength = 64;

bool isLowerHex(std::string_view text) {
    return text.size() == kDigestLength &&
           text.find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

// One "<table> <rows> <sha256>" line, or nothing when it has another form.
std::optional<ManifestEntry> parseLine(const std::string& line) {
    std::istringstream fields(line);
    std::string table;
    std::string rows;
    std::string digest;
    std::string extra;
    if (!(fields >> table >> rows >> digest) || (fields >> extra) || !isLowerHex(digest)) {
        return std::nullopt;
    }
    const auto count = text::parseInteger(rows);
    if (!count || *count < 0) {
        return std::nullopt;
    }
    return ManifestEntry{table, {static_cast<std::int64_t>(*count), digest}};
}

} // namespace

std::string formatManifest(const std::vector<ManifestEntry>& entries) {
    std::string text(kHeader);
    for (const auto& entry : entries) {
        text += entry.table + ' ' + std::to_string(entry.digest.rows) + ' ' + entry.digest.sha256 +
                '\n';
    }
    return text;
}

const ManifestEntry* ManifestRead::find(std::string_view table) const {
    for (const auto& entry : entries) {
        if (text::equalIgnoringAsciiCase(entry.table, table)) {
            return &entry;
        }
    }
    return nullptr;
}

ManifestRead readManifest(const fs::path& databaseDir) {
    const fs::path file = databaseDir / kManifestFileName;
    const std::string title = "参考数据清单“" + file.string() + "”";
    ManifestRead read;
    std::error_code error;
    if (!fs::exists(file, error)) {
        read.problem = "找不到" + title;
        return read;
    }
    if (!fs::is_regular_file(file, error)) {
        read.problem = title + "不是文件";
        return read;
    }
    const auto size = fs::file_size(file, error);
    if (error || size > kMaxManifestBytes) {
        read.problem = title + (error ? "无法读取" : "过大，不是参考数据清单");
        return read;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        read.problem = title + "无法读取";
        return read;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (line.empty() || line.starts_with('#')) {
            continue;
        }
        auto entry = parseLine(line);
        if (!entry || read.find(entry->table)) {
            read.entries.clear();
            read.problem = title + "第 " + std::to_string(number) + " 行无法识别";
            return read;
        }
        read.entries.push_back(std::move(*entry));
    }
    return read;
}

} // namespace zorvane::design
