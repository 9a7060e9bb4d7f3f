#include "core/store/directory_lock.h"

#include "core/store/store_error.h"
#include "core/text/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace zorvane::store::detail {

DirectoryLock::DirectoryLock(const std::filesystem::path& directory, Mode mode) {
    fd_ = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        if (errno == ENOENT) {
            throw StoreError("找不到数据库目录“" + directory.string() + "”");
        }
        throw StoreError("无法打开数据库目录“" + directory.string() + "”：" +
                         text::systemErrorText(errno));
    }
    const int operation = mode == Mode::Exclusive ? LOCK_EX : LOCK_SH;
    while (::flock(fd_, operation | LOCK_NB) != 0) {
        if (errno == EINTR) {
            continue;
        }
        const int error = errno;
        ::close(fd_);
        fd_ = -1;
        if (error == EWOULDBLOCK) {
            throw WorkspaceBusy(
                "数据库目录“" + directory.string() +
                "”中的设计正由另一个程序（另一个窗口、批处理程序或报表、齿形输出程序）使用。"
                "请先结束那个程序，再在这里设计；参考数据表仍可查询。");
        }
        throw StoreError("无法锁定数据库目录“" + directory.string() + "”：" +
                         text::systemErrorText(error));
    }
}

DirectoryLock::~DirectoryLock() {
    if (fd_ >= 0) {
        ::close(fd_); // closing the last descriptor releases the lock
    }
}

} // namespace zorvane::store::detail
