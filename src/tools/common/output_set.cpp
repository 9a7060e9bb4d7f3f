#include "tools/common/output_set.h"

#include "core/store/stale_files.h"
#include "core/text/system_error_text.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// How a set is put in place. Only one rename is atomic, and the output directory may hold other
// files, so the new set cannot simply be renamed over it, and moving its files in one by one
// leaves a mix of two sets when a kill comes between two moves. Instead a folder beside the
// output directory (".<out>.zorvane-<writer>-<pid>") gets the whole new set plus a hard link of
// every other file of the output directory, and the two folders are swapped in one exchanging
// rename; the old one, now under the temporary name, is removed. A kill before the swap leaves
// the old directory untouched, a kill after it the whole new one, either with at most that
// pid-named folder beside it, which the next run removes. Hard links keep the other files
// themselves (no copy, same file), and a file that appears in the old directory while the set is
// written is moved over after the swap.
//
// The swap is not possible when the output directory holds a folder (a folder cannot be linked),
// is the working directory (a shell in it would be left in the removed folder), cannot have a
// folder made beside it, or lies on a file system without the exchanging rename. Then the set is
// written into a pid-named folder inside the output directory and its files are moved out one by
// one; only there can a kill between two moves leave a mix, and the next run removes the folder.

namespace zorvane::tools {

namespace fs = std::filesystem;

namespace {

[[noreturn]] void fail(const char* action, const fs::path& path, int error) {
    throw OutputError(std::string(action) + "“" + path.string() + "”：" +
                      text::systemErrorText(error));
}

std::string temporaryMarker(std::string_view writer) {
    return ".zorvane-" + std::string(writer) + "-";
}

// A folder named with this process's id, removed with what it holds at the end. One of that
// name found at the start can only be the leftover of an ended process that had the same id.
class TemporaryFolder {
public:
    explicit TemporaryFolder(fs::path path) : path_(std::move(path)) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

void syncFolder(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// 0, or the errno that stopped writing all of `bytes`.
int writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno != EINTR) {
            return errno;
        }
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    return 0;
}

// Writes each file durably into `folder`; a failure names the file as it would be in `outDir`.
void writeFiles(const fs::path& folder, const std::vector<OutputFile>& files,
                const fs::path& outDir) {
    for (const OutputFile& file : files) {
        const fs::path path = folder / file.name;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            fail("无法写入文件", outDir / file.name, errno);
        }
        int error = writeAll(fd, file.bytes);
        if (error == 0 && ::fsync(fd) != 0) {
            error = errno;
        }
        if (::close(fd) != 0 && error == 0) {
            error = errno;
        }
        if (error != 0) {
            fail("无法写入文件", outDir / file.name, error);
        }
    }
    syncFolder(folder);
}

bool isSetName(const std::string& name, const std::vector<OutputFile>& files) {
    for (const OutputFile& file : files) {
        if (file.name == name) {
            return true;
        }
    }
    return false;
}

bool holdsWorkingDirectory(const fs::path& outDir) {
    std::error_code error;
    const fs::path here = fs::current_path(error);
    const auto [end, ignored] =
        std::mismatch(outDir.begin(), outDir.end(), here.begin(), here.end());
    return !error && end == outDir.end();
}

// Links every entry of `from` but the set's files into `to`; false when one cannot be linked.
bool linkOthers(const fs::path& from, const fs::path& to, const std::vector<OutputFile>& files) {
    std::error_code error;
    for (fs::directory_iterator entry(from, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (isSetName(name, files)) {
            continue;
        }
        // Without AT_SYMLINK_FOLLOW a symbolic link is linked as itself; a folder fails.
        if (::linkat(AT_FDCWD, entry->path().c_str(), AT_FDCWD, (to / name).c_str(), 0) != 0) {
            return false;
        }
    }
    return !error;
}

// Moves what appeared in `old` after the links were made over into `now`.
void moveLateArrivals(const fs::path& old, const fs::path& now,
                      const std::vector<OutputFile>& files) {
    std::error_code error;
    for (fs::directory_iterator entry(old, error); !error && entry != fs::directory_iterator();
         entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code ignored;
        if (!isSetName(name, files) && !fs::exists(fs::symlink_status(now / name, ignored))) {
            fs::rename(entry->path(), now / name, ignored);
        }
    }
}

std::vector<fs::path> pathsOf(const fs::path& outDir, const std::vector<OutputFile>& files) {
    std::vector<fs::path> paths;
    for (const OutputFile& file : files) {
        paths.push_back(outDir / file.name);
    }
    return paths;
}

// The set beside `outDir` and swapped in; false when the swap is not possible here.
bool writeBySwap(const fs::path& outDir, bool existed, std::string_view writer,
                 const std::vector<OutputFile>& files) {
    // A directory the user may not write into is not replaced either.
    if (existed && (holdsWorkingDirectory(outDir) || ::access(outDir.c_str(), W_OK) != 0)) {
        return false;
    }
    const TemporaryFolder beside(
        outDir.parent_path() /
        ("." + outDir.filename().string() + temporaryMarker(writer) + std::to_string(::getpid())));
    struct stat old {};
    if (existed && ::stat(outDir.c_str(), &old) != 0) {
        return false;
    }
    if (::mkdir(beside.path().c_str(), 0777) != 0) {
        if (existed) {
            return false;
        }
        fail("无法建立输出目录", outDir, errno);
    }
    if (existed && !linkOthers(outDir, beside.path(), files)) {
        return false;
    }
    writeFiles(beside.path(), files, outDir);
    if (existed && ::chmod(beside.path().c_str(), old.st_mode & 07777) != 0) {
        return false;
    }
    if (!existed) {
        if (::rename(beside.path().c_str(), outDir.c_str()) != 0) {
            fail("无法建立输出目录", outDir, errno);
        }
    } else if (::renameat2(AT_FDCWD, beside.path().c_str(), AT_FDCWD, outDir.c_str(),
                           RENAME_EXCHANGE) != 0) {
        return false;
    } else {
        moveLateArrivals(beside.path(), outDir, files);
    }
    syncFolder(outDir.parent_path());
    return true;
}

// The set written into a folder inside `outDir` and moved out file by file.
void writeInPlace(const fs::path& outDir, std::string_view writer,
                  const std::vector<OutputFile>& files) {
    const TemporaryFolder inside(outDir / (temporaryMarker(writer) + std::to_string(::getpid())));
    if (::mkdir(inside.path().c_str(), 0777) != 0) {
        fail("无法在输出目录中写入文件", outDir, errno);
    }
    writeFiles(inside.path(), files, outDir);
    for (const OutputFile& file : files) {
        if (::rename((inside.path() / file.name).c_str(), (outDir / file.name).c_str()) != 0) {
            fail("无法写入文件", outDir / file.name, errno);
        }
    }
    syncFolder(outDir);
}

} // namespace

std::vector<fs::path> writeOutputSet(const fs::path& outDir, std::string_view writer,
                                     const std::vector<OutputFile>& files) {
    std::error_code error;
    fs::path target = fs::absolute(outDir, error).lexically_normal();
    if (!target.has_filename()) {
        target = target.parent_path();
    }
    const auto status = fs::status(target, error);
    const bool existed = fs::exists(status);
    if (existed) {
        if (!fs::is_directory(status)) {
            throw OutputError("无法写入输出目录“" + outDir.string() + "”：这是一个文件，不是目录");
        }
        target = fs::canonical(target, error);
        if (error) {
            fail("无法写入输出目录", outDir, error.value());
        }
    } else {
        fs::create_directories(target.parent_path(), error);
        if (error) {
            fail("无法建立输出目录", outDir, error.value());
        }
    }
    // A folder under a set file's name would stop the set half way, or vanish with the old set.
    for (const OutputFile& file : files) {
        if (fs::is_directory(fs::symlink_status(target / file.name, error))) {
            fail("无法写入文件", outDir / file.name, EISDIR);
        }
    }
    const std::string marker = temporaryMarker(writer);
    const std::string besideStem = "." + target.filename().string();
    const store::TemporaryName inside{"", marker, true, true};
    const store::TemporaryName beside{besideStem, marker, true, true};
    store::removeTemporariesOfEndedProcesses(target.parent_path(), {&beside, 1});
    if (existed) {
        store::removeTemporariesOfEndedProcesses(target, {&inside, 1});
    }
    if (!writeBySwap(target, existed, writer, files)) {
        writeInPlace(target, writer, files);
    }
    return pathsOf(outDir, files);
}

} // namespace zorvane::tools
