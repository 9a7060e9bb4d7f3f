#pragma once
// A fresh directory, removed again afterwards. By default it lies on the memory file system when
// there is one: the tests then do not wait on the disk for every durable commit. Tests of the
// durable path itself ask for the disk.

#include <atomic>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace zorvane::testing {

enum class Medium { Memory, Disk };

class TempDir {
public:
    explicit TempDir(Medium medium = Medium::Memory) {
        static std::atomic<int> counter{0};
        path_ = base(medium) /
                ("zorvane-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    static std::filesystem::path base(Medium medium) {
        const std::filesystem::path memory = "/dev/shm";
        std::error_code error;
        if (medium == Medium::Memory && std::filesystem::is_directory(memory, error) &&
            ::access(memory.c_str(), W_OK) == 0) {
            return memory;
        }
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path path_;
};

} // namespace zorvane::testing
