#include "core/design/chain_steps.h"

#include "core/design/computable_range.h"
#include "core/design/drive_formulas.h"
#include "core/design/reference_data.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_formulas.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::design {

std::optional<double> StepHandlers::toothCount(const std::string& text) {
    const auto value = text::parseDecimal(text);
    if (!value || *value <= 0 || *value != std::trunc(*value)) {
        return std::nullopt;
    }
    return value;
}

bool StepHandlers::done(int position) const {
    return s_.status().done(stepAt(chain_, position).tag);
}

bool StepHandlers::prepare(int position, const std::function<void()>& ownResets) {
    return s_.gate().prepareRun(chain_, position, s_.ui(), s_.results(), s_.history(), ownResets);
}

void StepHandlers::complete(int position) {
    s_.gate().complete(chain_, position);
}

void StepHandlers::focus(const char* objectName) {
    s_.state().focus = objectName;
}

MainState& StepHandlers::state() {
    return s_.state();
}

PanelFields& StepHandlers::fields() {
    return s_.state().fields;
}

Interaction& StepHandlers::ui() {
    return s_.ui();
}

void StepHandlers::row(const std::string& item, const std::string& value, const std::string& unit) {
    s_.results()->AddRow(item, value, unit, "r");
}

void StepHandlers::entry(const std::string& item, double value) {
    s_.history()->AddEntry(item, value);
}

std::string fixedText(double value, int width, int decimals) {
    return text::fixed(value, width, decimals);
}

void StepHandlers::openInitialCentreDistance(int position, const std::function<void()>& ownResets,
                                             const A0RangeInputs& range) {
    const bool redo = done(position);
    if (redo && !prepare(position, ownResets)) {
        return;
    }
    if (redo || !s_.state().panelVisible(Panel::InitA0)) {
        const A0RangeView view = a0Range(range);
        auto& f = fields();
        f.initialCentreRange = view.rangeText;
        f.initialCentreGiven = view.givenText;
        f.initialCentrePitches = view.defaultText;
        state().A0Range = {view.lower, view.upper};
    }
    s_.gate().showPanel(Panel::InitA0);
    focus("edtInit_a0");
}

bool StepHandlers::mayComputeCentreDistance(int position) {
    if (done(position)) {
        return prepare(position);
    }
    return !state().panelVisible(Panel::A);
}

std::optional<InitialCentreDistance> confirmInitialCentreDistance(DesignSession& session, double p,
                                                                  double z1, double z2) {
    auto& state = session.state();
    Interaction& ui = session.ui();
    const auto a0p = text::parseDecimal(state.fields.initialCentrePitches);
    if (!a0p) {
        showError(ui, "请正确输入以节距表示的中心距");
        state.focus = "edtInit_a0";
        return std::nullopt;
    }
    const auto [lower, upper] = state.A0Range;
    if (*a0p - upper > 0.001 || *a0p - lower < -0.001) {
        showError(ui, a0OutOfRangeText(lower, upper));
        state.focus = "edtInit_a0";
        return std::nullopt;
    }
    auto& results = *session.results();
    auto& history = *session.history();
    InitialCentreDistance out;
    out.a0 = *a0p * p;
    if (!requirePhysical(ui, kInitialCentreBound, out.a0)) {
        state.focus = "edtInit_a0";
        return std::nullopt;
    }
    results.AddRow("初定中心距", text::fixed(out.a0, 0, 2), "mm", "r");
    history.AddEntry("初定中心距", out.a0);

    out.exact = linkCountExact(*a0p, z1, z2);
    out.links = static_cast<double>(text::truncateRoundUp(out.exact));
    if (std::llround(out.links) % 2 != 0 &&
        askYesNo(ui, "链长节数为奇数,为避免过渡链节,宜取偶数,您希望使用过渡链节吗?", Answer::No) !=
            Answer::Yes) {
        out.links = out.links > out.exact ? out.links - 1 : out.links + 1;
    }
    results.AddRow("链长节数", text::fixed(out.links, 0, 2), "节", "r");
    history.AddEntry("链长节数", out.exact);
    const double length = out.exact * p / 1000;
    results.AddRow("链条长度", text::fixed(length, 0, 3), "m", "r");
    history.AddEntry("链条长度", length);
    return out;
}

std::optional<double> recordTheoreticalCentreDistance(DesignSession& session, double Lp, double z1,
                                                      double z2, double p, bool adjustable,
                                                      bool hasTensioner) {
    checkReferenceTable(session.databaseDir(), "Ka");
    std::vector<KaRow> rows;
    store::Table table(session.databaseDir(), "Ka");
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        const auto ratio = table.number(0);
        const auto factor = table.number(1);
        if (ratio && factor) {
            rows.emplace_back(ratio.value_or(0), factor.value_or(0));
        }
    }
    table.close();
    const double a = theoreticalCentreDistance(Lp, z1, z2, p, rows);
    if (!requirePhysical(session.ui(), kCentreBound, a)) {
        return std::nullopt;
    }
    session.results()->AddRow("理论中心距", text::fixed(a, 0, 3), "mm", "r");
    session.history()->AddEntry("理论中心距", a);
    session.state().fields.centreChangeAdvice = std::string(deltaAAdvice(adjustable, hasTensioner));
    session.gate().showPanel(Panel::A);
    session.state().focus = "edta";
    return a;
}

std::optional<double> readCentreDistanceChange(DesignSession& session) {
    auto& state = session.state();
    const auto d = text::parseDecimal(state.fields.centreChange);
    if (!d || *d > 0.004 || *d < 0.002) {
        showError(session.ui(), d ? "中心距变化量的输入值超出范围!" : "请正确输入中心距的变化量");
        state.focus = "edta";
        return std::nullopt;
    }
    return d;
}

double askTensionFactor(Interaction& ui, const std::string& outOfRange) {
    for (;;) {
        const auto value =
            text::parseDecimal(PromptValue(ui, "输入拉力系数Kf", "Kf≈(1.15～1.20)", "1.175"));
        if (!value) {
            showError(ui, "请正确输入拉力系数!");
        } else if (*value < 1.15 || *value > 1.2) {
            showError(ui, outOfRange);
        } else {
            return value.value_or(1.175);
        }
    }
}

} // namespace zorvane::design
