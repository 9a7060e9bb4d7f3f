#pragma once
// An exclusive lock on a directory, held by one program at a time. It is an advisory lock of the
// operating system on the directory itself: it ends with the process that holds it, so a crash
// never leaves it behind, and it leaves no file in the directory.

#include <filesystem>

namespace zorvane::store::detail {

class DirectoryLock {
public:
    // Takes the lock without waiting. Throws WorkspaceBusy when another program (or another
    // workspace of this one) holds it, StoreError when the directory cannot be opened.
    explicit DirectoryLock(const std::filesystem::path& directory);
    ~DirectoryLock();
    DirectoryLock(const DirectoryLock&) = delete;
    DirectoryLock& operator=(const DirectoryLock&) = delete;

private:
    int fd_ = -1;
};

} // namespace zorvane::store::detail
