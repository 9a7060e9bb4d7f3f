#pragma once
// A lock on a database directory: held exclusively by the one program that writes its working
// tables (the window, zorvane-calc) and shared by programs that only read them (zorvane-report,
// zorvane-profile), so that a reader never meets a half-written design and a writer never starts
// under a reader. It is an advisory lock of the operating system on the directory itself: it ends
// with the process that holds it, so a crash never leaves it behind, and it leaves no file in the
// directory.

#include <filesystem>

namespace zorvane::store {

namespace detail {

class DirectoryLock {
public:
    enum class Mode { Exclusive, Shared };

    // Takes the lock without waiting. Throws WorkspaceBusy when another program (or another
    // workspace of this one) holds it in a way that excludes `mode`, StoreError when the
    // directory cannot be opened.
    explicit DirectoryLock(const std::filesystem::path& directory, Mode mode = Mode::Exclusive);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace detail

// Held by a program for as long as it reads a directory's working tables without writing them.
// Throws WorkspaceBusy while a program writes them.
class DirectoryReadLock {
public:
    explicit DirectoryReadLock(const std::filesystem::path& directory)
        : lock_(directory, detail::DirectoryLock::Mode::Shared) {}

private:
    detail::DirectoryLock lock_;
};

} // namespace zorvane::store
