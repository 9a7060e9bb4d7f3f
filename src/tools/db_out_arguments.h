#pragma once
// The command line of the tools that read a design's working tables and write files:
// --db DIR --out DIR, both required, nothing else.

#include <filesystem>
#include <optional>
#include <string_view>

namespace zorvane::tools {

struct DbOutArguments {
    std::filesystem::path db;
    std::filesystem::path out;
};

inline std::optional<DbOutArguments> parseDbOutArguments(int argc, char** argv) {
    std::optional<std::filesystem::path> db;
    std::optional<std::filesystem::path> out;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if ((arg == "--db" || arg == "--out") && i + 1 < argc) {
            (arg == "--db" ? db : out) = argv[++i];
        } else {
            return std::nullopt;
        }
    }
    if (!db || !out) {
        return std::nullopt;
    }
    return DbOutArguments{*db, *out};
}

} // namespace zorvane::tools
