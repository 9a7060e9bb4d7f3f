#pragma once
// A set of files that a tool writes into an output directory as one whole: the reports of
// zorvane-report, the profiles of zorvane-profile. Whatever stops the tool (a full disk, a kill),
// the directory holds either the set it held before or the whole new one, never a part.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zorvane::tools {

// The output directory or a file in it cannot be made or written; the message names it and
// says why in the user's words.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct OutputFile {
    std::string name; // a plain file name, e.g. "combined.pdf"
    std::string bytes;
};

// Writes `files` into `outDir` (made when missing) as one set and returns their paths. `writer`
// names the tool's temporaries (".zorvane-<writer>-<pid>"); those that an ended run of the tool
// left are removed first. Other files in `outDir` stay as they are. Throws OutputError.
std::vector<std::filesystem::path> writeOutputSet(const std::filesystem::path& outDir,
                                                  std::string_view writer,
                                                  const std::vector<OutputFile>& files);

} // namespace zorvane::tools
