#pragma once
// The file system side of project files: reading a whole file with a size limit, writing one
// so that a failure never leaves it half written, and replacing a work file of the database
// directory without leaving a journal of the old file beside the new one. Failures are
// ProjectError with a Chinese message naming the file.

#include <filesystem>
#include <string>

namespace zorvane::project {

// Project files larger than this are refused before they are read.
constexpr std::uintmax_t kMaxProjectBytes = 512u * 1024u * 1024u;

std::string readProjectFile(const std::filesystem::path& file);
std::string readWholeFile(const std::filesystem::path& file);
// Writes `bytes` into a new file beside `file`, flushes it to the disk and renames it over
// `file`; the earlier file stays whole when anything fails.
void writeProjectFile(const std::filesystem::path& file, const std::string& bytes);
// The same for a work file, whose old journal is removed before the new file takes its place.
void replaceFile(const std::filesystem::path& file, const std::string& bytes);

} // namespace zorvane::project
