#pragma once
// Keeping a user's copy of the installed data current: a package upgrade brings new reference
// tables, templates and help, while the working tables of the design in progress stay as they
// are. Every file is replaced whole (a temporary beside it, flushed, then renamed), so a crash or
// a full disk never leaves half a table.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::app {

// Whether `name` is a file of one of the open design's working tables ("Init_Unnamed.db",
// "hty_rec_unnamed.mb"): the part before the first dot names the table, ignoring case.
bool isWorkingTableFile(std::string_view name);

// Copies every file of `from` into `to` that `to` lacks or holds with other bytes; a working
// table file that `to` already has is kept, and files only `to` has are left alone. `to` is made
// when missing. Returns one message for the user per file that could not be brought up to date;
// the other files are updated all the same.
std::vector<std::string> refreshDirectory(const std::filesystem::path& from,
                                          const std::filesystem::path& to);

} // namespace zorvane::app
