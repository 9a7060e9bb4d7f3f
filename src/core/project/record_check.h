#pragma once
// The design record of a project file is input like any value typed into the panels: before a
// design is taken from a file, every field of its record passes the checks the typed value
// passed, by the rules of one table per chain (which step sets the field, what it must be).

#include "core/design/steps.h"
#include "core/project/project_layout.h"

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace zorvane::project {

// The reference rows a record's chain is checked against: the roller chain numbers with their
// pitches (table "ChainNoNd") and the toothed chain pitches (table "Dc").
struct ReferenceChains {
    std::vector<std::pair<std::string, double>> rollerChains;
    std::vector<double> toothedPitches;
};

// Reads the rows of `chain` from the database directory; a table that cannot be read refuses the
// project file `fileName` with a message naming the table.
ReferenceChains readReferenceChains(const std::filesystem::path& databaseDir, design::Chain chain,
                                    const std::string& fileName);

// Whether the file marks the step of `tag` done.
bool stepDoneInFile(const ProjectImage& image, int tag);

// Checks the record of a file with a chain type; throws ProjectError naming the file and the
// field in the user's words ("设计记录中的“小链轮转速”…"). A field whose step the file marks done
// (or a later step of the chain, which computed with it) must pass its rule; a field of a step
// not done must be a finite number, and may be zero.
void checkDesignRecord(const ProjectImage& image, const ReferenceChains& reference,
                       const std::string& fileName);

} // namespace zorvane::project
