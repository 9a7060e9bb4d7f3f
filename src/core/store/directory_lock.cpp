#include "core/store/directory_lock.h"

#include "core/store/store_error.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zorvane::store::detail {

DirectoryLock::DirectoryLock(const std::filesystem::path& directory) {
    fd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        throw StoreError("找不到数据库目录“" + directory.string() + "”");
    }
    while (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        const bool busy = errno == EWOULDBLOCK;
        ::close(fd_);
        fd_ = -1;
        if (busy) {
            throw WorkspaceBusy("数据库目录“" + directory.string() +
                                "”中的设计正由另一个程序（另一个窗口或批处理程序）使用。"
                                "请先结束那个程序，再在这里设计；参考数据表仍可查询。");
        }
        throw StoreError("无法锁定数据库目录“" + directory.string() + "”");
    }
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the last descriptor releases the lock
    }
}

} // namespace zorvane::store::detail
