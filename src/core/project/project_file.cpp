#include "core/project/project_file.h"

#include "core/project/byte_io.h"
#include "core/store/stale_files.h"
#include "core/text/system_error_text.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace zorvane::project {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* action, const fs::path& file, int error) {
    throw ProjectError(std::string(action) + "文件“" + file.string() + "”：" +
                       text::systemErrorText(error));
}

// Writes all of `bytes`; 0, or the errno that stopped it.
int writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

void syncDirectory(const fs::path& directory) {
    const int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

void writeDurably(const fs::path& file, const std::string& bytes, const fs::path& beforeRename) {
    // A save that was killed left its temporary beside the target; the next save clears it.
    const std::string target = file.filename().string();
    const store::TemporaryName saving{target, ".saving-", true, false};
    store::removeTemporariesOfEndedProcesses(file.has_parent_path() ? file.parent_path() : ".",
                                             {&saving, 1});
    const fs::path temporary = file.string() + ".saving-" + std::to_string(::getpid());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        fail("无法建立", file, errno);
    }
    // A save that fails leaves no part-written file behind.
    const auto abandon = [&](int error) {
        ::close(fd);
        ::unlink(temporary.c_str());
        fail("无法写入", file, error);
    };
    if (const int error = writeAll(fd, bytes)) {
        abandon(error);
    }
    if (::fsync(fd) != 0) {
        abandon(errno);
    }
    ::close(fd);
    if (!beforeRename.empty()) {
        ::unlink(beforeRename.c_str());
    }
    if (::rename(temporary.c_str(), file.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        fail("无法写入", file, error);
    }
    syncDirectory(file.parent_path());
}

} // namespace

std::string readWholeFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        fail("无法打开", file, errno ? errno : ENOENT);
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string readProjectFile(const fs::path& file) {
    std::error_code error;
    if (fs::is_directory(file, error)) {
        fail("无法打开", file, EISDIR);
    }
    const auto size = fs::file_size(file, error);
    if (error) {
        fail("无法打开", file, error.value());
    }
    if (size > kMaxProjectBytes) {
        throw ProjectError("项目文件“" + file.string() + "”无法打开：文件过大（" +
                           std::to_string(size) + " 字节），不是本程序的项目文件");
    }
    return readWholeFile(file);
}

void writeProjectFile(const fs::path& file, const std::string& bytes) {
    writeDurably(file, bytes, {});
}

void replaceFile(const fs::path& file, const std::string& bytes) {
    writeDurably(file, bytes, file.string() + "-journal");
}

} // namespace zorvane::project
