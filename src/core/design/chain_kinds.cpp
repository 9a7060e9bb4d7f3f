// The chain kinds the program designs: one row each, with the data that differs between them and
// the design that implements their steps. A further kind is one more row here.

#include "core/design/chain_design.h"
#include "core/roller/roller_design.h"
#include "core/toothed/toothed_design.h"

#include <array>

namespace zorvane::design {

namespace {

constexpr std::array kRollerPanels{Panel::Intensity};
constexpr std::array<Panel, 0> kToothedPanels{};

struct KindRow {
    ChainKind kind;
    std::unique_ptr<ChainDesign> (*make)(DesignSession&, std::span<const std::uint8_t>);
};

template <class Design, class Engine, class Record>
std::unique_ptr<ChainDesign> make(DesignSession& session, std::span<const std::uint8_t> record) {
    if (record.empty()) {
        return std::make_unique<Design>(session);
    }
    return std::make_unique<Design>(session, Engine(Record::fromBytes(record)));
}

// clang-format off
const std::array<KindRow, 2> kKinds{{
    {{Chain::Roller, "R", "RD", "滚子链", "滚子链传动设计", "RWheel.bmp", "R_Size", "R_design",
      {Panel::Z, &PanelFields::rollerZ1, &PanelFields::rollerZ2, &PanelFields::rollerZi,
       &PanelFields::rollerZiEnabled, &MainState::rollerZ2Calculated, "edtz1", "edtz2", "edtzi"},
      kRollerPanels},
     make<roller::RollerDesign, roller::RollerEngine, roller::RollerRecord>},
    {{Chain::Toothed, "D", "DD", "齿形链", "齿形链传动 设计", "DWheel.bmp", "D_Size", "D_Design",
      {Panel::Dz, &PanelFields::toothedZ1, &PanelFields::toothedZ2, &PanelFields::toothedZi,
       &PanelFields::toothedZiEnabled, &MainState::toothedZ2Calculated, "edtDz1", "edtDz2", "edtDzi"},
      kToothedPanels},
     make<toothed::ToothedDesign, toothed::ToothedEngine, toothed::ToothedRecord>},
}};
// clang-format on

const KindRow& rowOf(Chain chain) {
    for (const auto& row : kKinds) {
        if (row.kind.chain == chain) {
            return row;
        }
    }
    return kKinds.front();
}

} // namespace

const ChainKind& chainKind(Chain chain) {
    return rowOf(chain).kind;
}

std::span<const Chain> designedChains() {
    static const std::array<Chain, kKinds.size()> chains{kKinds[0].kind.chain,
                                                         kKinds[1].kind.chain};
    return chains;
}

std::unique_ptr<ChainDesign> makeChainDesign(Chain chain, DesignSession& session) {
    return rowOf(chain).make(session, {});
}

std::unique_ptr<ChainDesign> makeChainDesign(Chain chain, DesignSession& session,
                                             std::span<const std::uint8_t> record) {
    return rowOf(chain).make(session, record);
}

} // namespace zorvane::design
