#include "core/store/stale_files.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <system_error>

namespace zorvane::store {

namespace fs = std::filesystem;

namespace {

// The temporaries that the programs write into the database directory.
constexpr std::array<TemporaryName, 2> kDatabaseTemporaries{{
    {"", ".zorvane-open-", true, true},
    {"", ".new-", false, false},
}};

} // namespace

std::optional<pid_t> temporaryWriter(std::string_view name, const TemporaryName& pattern) {
    const std::size_t at = name.rfind(pattern.marker);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view stem = name.substr(0, at);
    const bool stemFits = pattern.exactStem
                              ? stem == pattern.stem
                              : (pattern.stem.empty() ? !stem.empty() : stem == pattern.stem);
    const std::string_view digits = name.substr(at + pattern.marker.size());
    if (!stemFits || digits.empty() || digits.front() == '0') {
        return std::nullopt;
    }
    pid_t pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || pid <= 1) {
        return std::nullopt;
    }
    return pid;
}

bool processIsGone(pid_t pid) {
    return pid > 1 && ::kill(pid, 0) != 0 && errno == ESRCH;
}

void removeTemporariesOfEndedProcesses(const fs::path& directory,
                                       std::span<const TemporaryName> patterns) {
    std::error_code error;
    fs::directory_iterator entry(directory, error);
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        const bool folder = fs::is_directory(entry->symlink_status(ignored));
        for (const TemporaryName& pattern : patterns) {
            const auto writer = temporaryWriter(name, pattern);
            if (writer && pattern.folder == folder && processIsGone(*writer)) {
                fs::remove_all(entry->path(), ignored);
                break;
            }
        }
    }
}

void removeStaleTemporaries(const fs::path& databaseDir) {
    removeTemporariesOfEndedProcesses(databaseDir, kDatabaseTemporaries);
}

} // namespace zorvane::store
