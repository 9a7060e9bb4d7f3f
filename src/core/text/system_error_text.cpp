#include "core/text/system_error_text.h"

#include <array>
#include <cerrno>
#include <utility>

namespace zorvane::text {

namespace {

// The failures a user meets with files and directories, each with its reason.
const std::array<std::pair<int, const char*>, 21> kReasons{{
    {ENOSPC, "磁盘空间不足"},
    {EDQUOT, "磁盘配额已用完"},
    {EFBIG, "文件超过了系统允许的大小"},
    {EROFS, "文件系统是只读的"},
    {EACCES, "没有访问权限"},
    {EPERM, "没有访问权限"},
    {ENOENT, "文件或目录不存在"},
    {ENOTDIR, "路径中的某一部分不是目录"},
    {EISDIR, "这是一个目录，不是文件"},
    {EIO, "读写设备出错"},
    {EOPNOTSUPP, "文件系统不支持这项操作"},
    {ENAMETOOLONG, "文件名或路径过长"},
    {ELOOP, "路径中的符号链接过多或形成了循环"},
    {EEXIST, "同名的文件已经存在"},
    {ENOTEMPTY, "目录不是空的"},
    {EXDEV, "不能跨文件系统改名"},
    {EBUSY, "文件或目录正被使用"},
    {EMFILE, "打开的文件过多"},
    {ENFILE, "系统打开的文件过多"},
    {ENOMEM, "内存不足"},
    {ETXTBSY, "文件正被执行，无法写入"},
}};

} // namespace

std::string systemErrorText(int error) {
    for (const auto& [code, reason] : kReasons) {
        if (code == error) {
            return reason;
        }
    }
    return "操作系统报告了错误（代码 " + std::to_string(error) + "）";
}

std::string systemErrorText(const std::error_code& error) {
    if (error.category() == std::system_category() || error.category() == std::generic_category()) {
        return systemErrorText(error.value());
    }
    return "操作系统报告了错误（代码 " + std::to_string(error.value()) + "）";
}

} // namespace zorvane::text
