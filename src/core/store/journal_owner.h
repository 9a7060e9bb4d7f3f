#pragma once
// Whether a rollback journal still belongs to the table file beside it. A crash leaves the journal
// of an unfinished commit; if the table file was replaced since (a new file renamed over it, a
// project restored, a file copied in by hand), rolling that journal back would write pages of the
// old file into the new one. Every working-table file carries a stamp in its header (the user
// version, with the stamp before it in the application id): the stamp in the journal's copy of
// page 1 must be one of the two of the file.

#include <filesystem>

namespace zorvane::store::detail {

// True only when the journal holds the original first page of a file with another stamp; a
// journal that cannot tell (no first page, no stamp, not a journal) is left to the engine.
bool journalBelongsElsewhere(const std::filesystem::path& table,
                             const std::filesystem::path& journal);

} // namespace zorvane::store::detail
