#pragma once
// What the operating system said when a file could not be read or written, in the user's words.
// Every message that reports such a failure takes its reason from here, so the user never meets
// the system's English text or a bare error number.

#include <string>
#include <system_error>

namespace zorvane::text {

// "磁盘空间不足", "文件系统是只读的", "没有访问权限" ... for an errno value; an error no
// entry names gets "操作系统报告了错误" with its number.
std::string systemErrorText(int error);
// The same for an error code of the standard library (its system or generic category).
std::string systemErrorText(const std::error_code& error);

} // namespace zorvane::text
