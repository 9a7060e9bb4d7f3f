#include "core/drive/panel_steps.h"

#include "core/roller/roller_design.h"

namespace zorvane::drive {

namespace {

using design::Chain;
using design::DesignSession;
using design::Panel;
using design::PanelFields;

// What the step panels' buttons do: the check beside a first field, and each panel's 确定.
void checkSmallCount(DesignSession& s) {
    s.design()->checkSmallToothCount();
}
void confirmCounts(DesignSession& s) {
    s.design()->confirmToothCounts();
}
void confirmStaticStrength(DesignSession& s) {
    roller::designOf(s)->confirmStaticStrength();
}
void confirmInitialCentre(DesignSession& s) {
    s.steps().confirmInitialCentreDistance();
}
void confirmCentreChange(DesignSession& s) {
    s.steps().confirmCentreDistanceChange();
}

// The panels of the steps after the initial conditions; the other steps have none.
// clang-format off
constexpr std::array<PanelStep, 7> kPanelSteps{{
    {Chain::Roller,  1, Panel::Z,         "edtz1",  checkSmallCount, {"edtz2", "edtzi"},   confirmCounts},
    {Chain::Roller,  4, Panel::InitA0,    "",       nullptr,         {"edtInit_a0", ""},   confirmInitialCentre},
    {Chain::Roller,  5, Panel::A,         "",       nullptr,         {"edta", ""},         confirmCentreChange},
    {Chain::Roller,  7, Panel::Intensity, "",       nullptr,         {"edtn", ""},         confirmStaticStrength},
    {Chain::Toothed, 1, Panel::Dz,        "edtDz1", checkSmallCount, {"edtDz2", "edtDzi"}, confirmCounts},
    {Chain::Toothed, 4, Panel::InitA0,    "",       nullptr,         {"edtInit_a0", ""},   confirmInitialCentre},
    {Chain::Toothed, 5, Panel::A,         "",       nullptr,         {"edta", ""},         confirmCentreChange},
}};
// clang-format on

// The edit boxes of the step panels, with the switch of those that can be disabled.
struct FieldDef {
    std::string_view name;
    std::string PanelFields::*text;
    bool PanelFields::*enabled;
};

constexpr std::array<FieldDef, 9> kFields{{
    {"edtz1", &PanelFields::rollerZ1, nullptr},
    {"edtz2", &PanelFields::rollerZ2, nullptr},
    {"edtzi", &PanelFields::rollerZi, &PanelFields::rollerZiEnabled},
    {"edtDz1", &PanelFields::toothedZ1, nullptr},
    {"edtDz2", &PanelFields::toothedZ2, nullptr},
    {"edtDzi", &PanelFields::toothedZi, &PanelFields::toothedZiEnabled},
    {"edtInit_a0", &PanelFields::initialCentrePitches, nullptr},
    {"edta", &PanelFields::centreChange, nullptr},
    {"edtn", &PanelFields::allowedSafetyFactor, nullptr},
}};

constexpr auto kFieldNames = [] {
    std::array<std::string_view, kFields.size()> names{};
    for (std::size_t i = 0; i < kFields.size(); ++i) {
        names[i] = kFields[i].name;
    }
    return names;
}();

const FieldDef* fieldDef(std::string_view name) {
    for (const auto& def : kFields) {
        if (def.name == name) {
            return &def;
        }
    }
    return nullptr;
}

} // namespace

std::span<const PanelStep> panelSteps() {
    return kPanelSteps;
}

const PanelStep* panelStepAt(Chain chain, int position) {
    for (const auto& step : kPanelSteps) {
        if (step.chain == chain && step.position == position) {
            return &step;
        }
    }
    return nullptr;
}

std::span<const std::string_view> panelFieldNames() {
    return kFieldNames;
}

std::string* panelField(PanelFields& fields, std::string_view name) {
    const FieldDef* def = fieldDef(name);
    return def ? &(fields.*def->text) : nullptr;
}

const std::string* panelField(const PanelFields& fields, std::string_view name) {
    const FieldDef* def = fieldDef(name);
    return def ? &(fields.*def->text) : nullptr;
}

bool panelFieldEnabled(const PanelFields& fields, std::string_view name) {
    const FieldDef* def = fieldDef(name);
    return def && (!def->enabled || fields.*def->enabled);
}

} // namespace zorvane::drive
