#include "core/project/design_mark.h"

#include "core/design/chain_design.h"
#include "core/project/control_states.h"

#include <algorithm>

namespace zorvane::project {

DesignMark markOf(design::DesignSession& session) {
    // The same control list and capture as a save, so that the mark follows whatever it stores.
    const design::Chain listChain = session.chain().value_or(design::Chain::Toothed);
    ProjectImage image;
    captureControlStates(session, listChain, image);
    captureStepFlags(session, listChain, image);
    DesignMark mark;
    mark.states = std::move(image.states);
    mark.snapshots = std::move(image.snapshots);
    if (const auto* design = session.design()) {
        const auto bytes = design->recordBytes();
        mark.record.assign(bytes.begin(), bytes.end());
    }
    const auto& designer = session.designer().bytes();
    std::copy(designer.begin(), designer.end(), mark.designer.begin());
    if (const auto* workspace = session.workspace()) {
        mark.tableWrites = workspace->writeCount();
    }
    return mark;
}

} // namespace zorvane::project
