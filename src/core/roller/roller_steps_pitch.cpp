// The roller chain pitch step 链条节距: the design power, the chain chosen by the power ratings
// and limited by speed, the chain picked by hand when no standard chain carries the power, and
// the allowed hub bore of the small sprocket.

#include "core/design/computable_range.h"
#include "core/design/reference_data.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/store/query.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <array>
#include <cmath>

namespace zorvane::roller {

using namespace design;

namespace {

struct Candidate {
    const char* chainNo;
    double p;          // mm
    double nPeak;      // r/min: the Kz column changes here
    double speedLimit; // r/min from which the pitch allowed by speed replaces it; 0 for none
};

constexpr std::array<Candidate, 10> kCandidates{{
    {"08A", 12.7, 1800, 0},
    {"10A", 15.875, 1470, 2600},
    {"12A", 19.05, 1246.6, 2000},
    {"16A", 25.4, 963.7789, 1500},
    {"20A", 31.75, 792, 1200},
    {"24A", 38.1, 676.6868, 1000},
    {"28A", 44.45, 594, 800},
    {"32A", 50.8, 532, 650},
    {"40A", 63.5, 290, 420},
    {"48A", 76.2, 150, 0},
}};

// Above this small sprocket speed no roller chain is offered.
constexpr double kTopSpeed = 3700;
constexpr int kRowsAskedFor = 7;

// The pitch as the hub bore table's key: 15.875 with three decimals, every other with two.
std::string pitchLiteral(double p) {
    return text::fixed(p, 0, p == 15.875 ? 3 : 2);
}

} // namespace

void RollerDesign::choosePitch() {
    if (!ready()) {
        return;
    }
    if (done(kNodeS)) {
        if (!prepare(kNodeS, true)) {
            return; // No: the step stays done
        }
    }
    if (!selectPitchForPower()) {
        return;
    }
    s_.gate().switchToTab(Tab::Result);
    complete(kNodeS);
}

bool RollerDesign::selectPitchForPower() {
    state().NeedLifeCheck = kLifeCheckNone;
    auto& r = rec();
    if (r.getDouble(RollerField::Rows) >= kRowsAskedFor) {
        const std::string answer =
            ui().inputBox("多排链排数", "请输入排数(≥7的整数)", "7").value_or("7");
        const auto rows = text::parseInteger(answer);
        if (!rows || *rows < 1) {
            showError(ui(), "“" + answer + "”不是有效的排数，请输入≥7的整数!");
            return false;
        }
        if (!requireComputable(ui(), kRowsRange, static_cast<double>(*rows))) {
            return false;
        }
        r.setDouble(RollerField::Rows, static_cast<double>(*rows));
        engine().SetValue(RollerField::Kp, std::pow(static_cast<double>(*rows), 0.84));
    }
    const double n1 = r.getDouble(RollerField::n1);
    if (n1 > kTopSpeed) {
        // No roller chain runs this fast: nothing is chosen, so nothing is recorded.
        showInformation(ui(), "小链轮速度太高!");
        return false;
    }
    bool chosen = false;
    for (const Candidate& candidate : kCandidates) {
        if (!engine().CalcDesignPower(candidate.nPeak)) {
            showError(ui(), "无法计算设计功率，请检查初始条件。");
            return false;
        }
        const double pd = r.getDouble(RollerField::Pd);
        if (RollerEngine::PlateMargin(candidate.p, n1, pd) < 0 &&
            RollerEngine::RollerMargin(candidate.p, n1, pd) < 0) {
            if (candidate.speedLimit > 0 && n1 >= candidate.speedLimit) {
                engine().PitchBySpeed(n1, state().NeedLifeCheck);
            } else {
                r.setDouble(RollerField::p, candidate.p);
                r.setText(RollerField::ChainNo, candidate.chainNo);
            }
            chosen = true;
            break;
        }
    }
    if (!chosen && !choosePitchByHand()) {
        return false;
    }
    const double pd = r.getDouble(RollerField::Pd);
    const double p = r.getDouble(RollerField::p);
    row("设计功率", text::fixed(pd, 0, 2), "KW");
    entry("设计功率", pd);
    row("链条节距", text::fixed(p, 0, 3), "mm");
    entry("链条节距", p);
    row("链号", r.getText(RollerField::ChainNo), "");
    if (r.getDouble(RollerField::z1) < 26) {
        recordHubBore();
    }
    return true;
}

bool RollerDesign::choosePitchByHand() {
    showInformation(ui(), "要求功率超过额定功率,请自行选择链号和节距");
    checkReferenceTable(s_.databaseDir(), "ChainNoNd");
    store::Query chains(s_.databaseDir());
    chains.setSql("Select * from ChainNoNd\nOrder by ChainNoNd.\"节距\" Desc");
    chains.open();
    if (chains.isEmpty()) {
        showError(ui(), "链号表ChainNoNd中没有数据,无法选择链号和节距。");
        return false;
    }
    if (!ui().chooseChainNumber(chains)) {
        return false; // cancelled: the step stays to do
    }
    const auto p = text::parseDecimal(chains.text("节距"));
    if (!p || *p <= 0) {
        showError(ui(), "所选链号的节距“" + chains.text("节距") + "”不是有效的数值。");
        return false;
    }
    if (!requireComputable(ui(), kPitchRange, *p)) {
        return false;
    }
    auto& r = rec();
    r.setText(RollerField::ChainNo, firstCharacters(chains.text("链号"), 10));
    r.setDouble(RollerField::p, *p);
    state().NeedLifeCheck = kLifeCheckRequired;
    return true;
}

void RollerDesign::recordHubBore() {
    const double z1 = rec().getDouble(RollerField::z1);
    const double p = rec().getDouble(RollerField::p);
    checkReferenceTable(s_.databaseDir(), "dKZnum");
    checkReferenceTable(s_.databaseDir(), "dKmax");
    store::Table keys(s_.databaseDir(), "dKZnum");
    keys.open();
    keys.first();
    if (z1 > 11) {
        bool found = false;
        while (!found) {
            keys.next();
            if (keys.eof()) {
                break;
            }
            const double difference = keys.number(0).value_or(-1) - z1;
            found = difference == 0 || difference == 1;
        }
        if (!found) {
            showInformation(ui(), "小链轮毂孔许用直径表中没有齿数" + text::general(z1) + "或" +
                                      text::general(z1 + 1) + "的数据,未能查取毂孔许用直径。");
            return;
        }
    }
    store::Query bores(s_.databaseDir());
    bores.setSql("Select * from dKmax\nWhere (\"dKmax\".\"编号\"=:\"编号\") and "
                 "(\"dKmax\".\"节距\"=" +
                 pitchLiteral(p) + ")");
    bores.setMaster(&keys);
    bores.open();
    const std::optional<double> found = bores.isEmpty() ? std::nullopt : bores.number(2);
    bores.setMaster(nullptr);
    if (!found) {
        showInformation(ui(), "小链轮毂孔许用直径表中没有节距" + text::fixed(p, 0, 3) +
                                  "mm的数据,未能查取毂孔许用直径。");
        return;
    }
    const double dK = found.value_or(0);
    row("小链轮毂孔许用直径", text::fixed(dK, 0, 0), "mm");
    entry("小链轮毂孔许用直径", dK);
}

} // namespace zorvane::roller
