#include "core/store/reference_snapshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

namespace zorvane::store {

namespace fs = std::filesystem;

namespace {

// Larger files are read from disk: a reference table is a few kilobytes to a few megabytes.
constexpr off_t kLargestImage = off_t{256} << 20;

std::string comparableDirectory(const fs::path& directory) {
    return (directory / "").lexically_normal().native();
}

bool exists(const std::string& file) {
    struct stat status {};
    return ::lstat(file.c_str(), &status) == 0;
}

// The bytes of `file` when it can be held: a settled, regular, non-empty file of a size it kept
// while it was read, in rollback-journal form (SQLite reads no write-ahead log from memory).
std::shared_ptr<const detail::FileImage> readImage(const fs::path& file) {
    if (exists(file.native() + "-journal") || exists(file.native() + "-wal")) {
        return nullptr;
    }
    // Not blocking on a pipe planted under the file's name; not becoming its terminal.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        return nullptr;
    }
    struct stat status {};
    std::shared_ptr<detail::FileImage> image;
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0 &&
        status.st_size <= kLargestImage) {
        image = std::make_shared<detail::FileImage>(static_cast<std::size_t>(status.st_size));
        std::size_t filled = 0;
        while (filled < image->size()) {
            const ssize_t got = ::read(fd, image->data() + filled, image->size() - filled);
            if (got <= 0) {
                break;
            }
            filled += static_cast<std::size_t>(got);
        }
        constexpr std::size_t kWriteVersion = 18; // 2 in both version bytes: a WAL database
        if (filled != image->size() ||
            (image->size() > kWriteVersion + 1 &&
             ((*image)[kWriteVersion] == 2 || (*image)[kWriteVersion + 1] == 2))) {
            image.reset();
        }
    }
    ::close(fd);
    return image;
}

} // namespace

ReferenceSnapshot::ReferenceSnapshot(fs::path directory)
    : directory_(std::move(directory)), comparable_(comparableDirectory(directory_)) {
    detail::requireDirectory(directory_);
}

bool ReferenceSnapshot::holds(const fs::path& file) const {
    return comparableDirectory(file.parent_path()) == comparable_;
}

std::shared_ptr<const detail::FileImage> ReferenceSnapshot::image(const fs::path& file) const {
    if (!holds(file)) {
        return nullptr;
    }
    // Read under the lock: each file once, however many threads ask for it at the same time.
    const std::lock_guard lock(mutex_);
    const auto [at, added] = images_.try_emplace(file.native());
    if (added) {
        at->second = readImage(file);
    }
    return at->second;
}

std::size_t ReferenceSnapshot::heldFiles() const {
    const std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::count_if(
        images_.begin(), images_.end(), [](const auto& entry) { return entry.second != nullptr; }));
}

namespace detail {

namespace {

struct Bound {
    const SnapshotBinding* binding;
    std::shared_ptr<const ReferenceSnapshot> snapshot;
    std::map<std::string, std::shared_ptr<Connection>> readers; // by table file
};

std::vector<Bound>& boundToThisThread() {
    thread_local std::vector<Bound> bound;
    return bound;
}

} // namespace

SnapshotBinding::SnapshotBinding(std::shared_ptr<const ReferenceSnapshot> snapshot) {
    boundToThisThread().push_back({this, std::move(snapshot), {}});
}

SnapshotBinding::~SnapshotBinding() {
    auto& bound = boundToThisThread();
    bound.erase(std::remove_if(bound.begin(), bound.end(),
                               [this](const Bound& b) { return b.binding == this; }),
                bound.end());
}

std::shared_ptr<Connection> snapshotReader(const TableFiles& files) {
    auto& bound = boundToThisThread();
    if (bound.empty() || !bound.back().snapshot->holds(files.table)) {
        return nullptr;
    }
    Bound& serving = bound.back();
    if (const auto kept = serving.readers.find(files.table.native());
        kept != serving.readers.end()) {
        return kept->second;
    }
    auto table = serving.snapshot->image(files.table);
    if (!table) {
        return nullptr;
    }
    auto connection = std::make_shared<Connection>(files.table, std::move(table));
    // Attached under the name a table file's own connection gives its memo file.
    if (auto blobs = serving.snapshot->image(files.blobs)) {
        connection->attachImage("mb", std::move(blobs));
    }
    serving.readers.emplace(files.table.native(), connection);
    return connection;
}

void forgetSnapshotReader(const fs::path& table) {
    for (auto& bound : boundToThisThread()) {
        bound.readers.erase(table.native());
    }
}

bool snapshotHolds(const fs::path& file) {
    const auto& bound = boundToThisThread();
    return !bound.empty() && bound.back().snapshot->holds(file);
}

} // namespace detail

} // namespace zorvane::store
