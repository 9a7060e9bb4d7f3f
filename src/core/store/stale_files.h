#pragma once
// Temporary files and folders that a program writes beside its real ones carry the id of the
// writing process in their name ("<name>.saving-4711", ".zorvane-open-4711"). One that a killed
// process left behind is recognised by that id: when no process of that id exists any more, the
// temporary is stale and is removed. One of a live process (or of a process of another user) is
// never touched.

#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <sys/types.h>

namespace zorvane::store {

// What a temporary's name looks like: `stem` + `marker` + process id. An empty stem stands for
// any stem, one character at least ("x.new-12" for the marker ".new-"); `exactStem` asks for no
// stem at all (".zorvane-open-12"). Only entries of the given kind (folder or not) match.
struct TemporaryName {
    std::string_view stem;
    std::string_view marker;
    bool exactStem;
    bool folder;
};

// The process id at the end of `name` when it is a temporary of `pattern`: digits only, no
// leading zero, greater than 1.
std::optional<pid_t> temporaryWriter(std::string_view name, const TemporaryName& pattern);

// Whether the process `pid` has ended (it cannot be signalled because it does not exist).
bool processIsGone(pid_t pid);

// Removes every entry of `directory` that matches one of `patterns` and whose writer has ended.
// Failures are quiet: a temporary that cannot be removed now is tried again at the next start.
void removeTemporariesOfEndedProcesses(const std::filesystem::path& directory,
                                       std::span<const TemporaryName> patterns);

// The database directory's own temporaries of ended processes: the folders where a project
// being opened was checked (".zorvane-open-<pid>") and the tables' files being replaced
// ("<file>.new-<pid>"). Every program that uses the directory calls this when it starts.
void removeStaleTemporaries(const std::filesystem::path& databaseDir);

} // namespace zorvane::store
