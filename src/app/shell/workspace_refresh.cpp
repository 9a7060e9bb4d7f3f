#include "app/shell/workspace_refresh.h"

#include "core/records/working_tables.h"
#include "core/store/stale_files.h"
#include "core/text/ascii_case.h"
#include "core/text/system_error_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace zorvane::app {

namespace fs = std::filesystem;

namespace {

// The temporary of a file being replaced, "<name>.new-<pid>": the pattern the database
// directory's start-up clean-up knows, so one a crash left behind goes at the next start.
constexpr std::array<store::TemporaryName, 1> kReplacementTemporaries{{
    {"", ".new-", false, false},
}};

bool isRegularFile(const fs::path& file) {
    std::error_code error;
    return fs::is_regular_file(fs::symlink_status(file, error));
}

// Whether there is an entry named `file`, even a link that leads nowhere.
bool entryExists(const fs::path& file) {
    std::error_code error;
    return fs::exists(fs::symlink_status(file, error));
}

// Whether `target` is a plain file with exactly the bytes of `source`.
bool holdsSameBytes(const fs::path& source, const fs::path& target) {
    std::error_code error;
    if (!isRegularFile(target) || fs::file_size(source, error) != fs::file_size(target, error) ||
        error) {
        return false;
    }
    std::ifstream a(source, std::ios::binary);
    std::ifstream b(target, std::ios::binary);
    std::array<char, 65536> bufferA{};
    std::array<char, 65536> bufferB{};
    while (a && b) {
        a.read(bufferA.data(), bufferA.size());
        b.read(bufferB.data(), bufferB.size());
        if (a.gcount() != b.gcount() ||
            !std::equal(bufferA.begin(), bufferA.begin() + a.gcount(), bufferB.begin())) {
            return false;
        }
    }
    return a.eof() && b.eof();
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, for the error a delayed write may report at the close.
    int close() { return ::close(std::exchange(fd_, -1)); }

private:
    int fd_;
};

// Copies `source` into the new file `temporary` and flushes it to the disk; the errno of the
// first failure, or 0.
int writeCopy(const fs::path& source, const fs::path& temporary) {
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW));
    if (in.get() < 0) {
        return errno;
    }
    FileDescriptor out(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644));
    if (out.get() < 0) {
        return errno;
    }
    std::array<char, 65536> buffer{};
    for (;;) {
        const ssize_t got = ::read(in.get(), buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        if (got == 0) {
            break;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put =
                ::write(out.get(), buffer.data() + done, static_cast<std::size_t>(got - done));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            done += put;
        }
    }
    if (::fsync(out.get()) != 0 || out.close() != 0) {
        return errno;
    }
    return 0;
}

// Replaces `target` by a copy of `source`; the reason it failed, or nothing. On a failure the
// earlier `target` is still there, whole.
std::optional<std::string> replaceWithCopy(const fs::path& source, const fs::path& target) {
    fs::path temporary = target;
    temporary += ".new-" + std::to_string(::getpid());
    std::error_code ignored;
    fs::remove(temporary, ignored);
    int error = writeCopy(source, temporary);
    if (error == 0 && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        fs::remove(temporary, ignored);
        return text::systemErrorText(error);
    }
    return std::nullopt;
}

// The renames reach the disk with the directory's own entries.
void flushDirectory(const fs::path& directory) {
    FileDescriptor fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) {
        ::fsync(fd.get());
    }
}

} // namespace

bool isWorkingTableFile(std::string_view name) {
    const std::string_view table = name.substr(0, name.find('.'));
    for (const auto& spec : records::workingTables()) {
        if (text::equalIgnoringAsciiCase(table, spec.name)) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> refreshDirectory(const fs::path& from, const fs::path& to) {
    std::vector<std::string> problems;
    std::error_code error;
    fs::create_directories(to, error);
    if (error) {
        problems.push_back("无法建立工作目录“" + to.string() + "”：" +
                           text::systemErrorText(error));
        return problems;
    }
    store::removeTemporariesOfEndedProcesses(to, kReplacementTemporaries);
    fs::directory_iterator entry(from, error);
    bool replaced = false;
    for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const fs::path& source = entry->path();
        const std::string name = source.filename().string();
        const fs::path target = to / source.filename();
        const bool keep = isWorkingTableFile(name) && entryExists(target);
        if (!isRegularFile(source) || keep || holdsSameBytes(source, target)) {
            continue;
        }
        if (const auto reason = replaceWithCopy(source, target)) {
            problems.push_back("无法用安装目录中的“" + source.string() + "”更新文件“" +
                               target.string() + "”：" + *reason);
        } else {
            replaced = true;
        }
    }
    if (error) {
        problems.push_back("无法读取安装目录“" + from.string() + "”：" +
                           text::systemErrorText(error));
    }
    if (replaced) {
        flushDirectory(to);
    }
    return problems;
}

} // namespace zorvane::app
