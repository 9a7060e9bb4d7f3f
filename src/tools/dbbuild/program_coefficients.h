#pragma once
// The browser shows three coefficient tables that the design steps hold in the program itself:
// the roller tooth factor Kz, the multi-row factor Kp and the pitch factor c2. Their sources in
// data/tables carry the values for review; the builder compares every row with the values the
// steps compute with, so that a browser table can never disagree with a design.

#include <filesystem>

namespace zorvane::dbbuild {

// Reads RToothFactor, RRowFactor and RPitchFactor from the built directory and throws
// SourceError naming the table, the row and both values at the first difference.
void checkProgramCoefficients(const std::filesystem::path& databaseDir);

} // namespace zorvane::dbbuild
