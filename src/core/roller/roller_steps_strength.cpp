// The roller chain steps 作用在轴上的力 and 静强度计算 (panel pnlIntensity).

#include "core/design/chain_steps.h"
#include "core/design/computable_range.h"
#include "core/design/drive_formulas.h"
#include "core/design/reference_data.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/roller/roller_formulas.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::roller {

using namespace design;

// ---- 作用在轴上的力 ---------------------------------------------------------------------------

void RollerDesign::computeShaftLoad() {
    if (!ready() || !prepare(kF)) {
        return;
    }
    recordShaftForces();
}

void RollerDesign::recordShaftForces() {
    if (!recordShaftLoad<RollerField>(rec(), "拉力系数值必须在\"1.15~1.20\"范围内!")) {
        return;
    }
    complete(kF);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 静强度计算 -------------------------------------------------------------------------------

void RollerDesign::openStaticStrength() {
    if (!ready()) {
        return;
    }
    if (done(kIntensity) && !prepare(kIntensity)) {
        return;
    }
    s_.gate().showPanel(Panel::Intensity);
    focus("edtn");
}

void RollerDesign::confirmStaticStrength() {
    if (!ready()) {
        return;
    }
    const auto n = text::parseDecimal(fields().allowedSafetyFactor);
    if (!n) {
        showError(ui(), "请正确输入许用安全系数");
        focus("edtn");
        return;
    }
    if (*n > kSafetyRange.highest) {
        showError(ui(), outOfRangeText(kSafetyRange));
        focus("edtn");
        return;
    }
    if (*n > 8 || (*n > 0 && *n < 4)) {
        if (askYesNo(ui(), "许用安全系数不在4～8范围内,是否继续?", Answer::No) != Answer::Yes) {
            focus("edtn");
            return;
        }
    } else if (*n < 0) {
        showError(ui(), "许用安全系数不能为负值!");
        focus("edtn");
        return;
    }
    s_.gate().hidePanel(Panel::Intensity);
    if (!checkStaticStrength()) {
        return;
    }
    const double S = rec().getDouble(RollerField::S);
    if (*n > S && askYesNo(ui(), "静强度安全系数太小,应增大齿数或排数重新计算,现在要重新计算吗?") ==
                      Answer::Yes) {
        // The chain's rows of this run go, so that the step can be run again cleanly.
        s_.results()->DeleteFrom("滚子外径(最大值)");
        for (;;) {
            const std::string choice =
                PromptValue(ui(), "选择重新计算方式", "输入1或2[1--增大齿数;2--增大排数]", "1");
            if (choice == "1") {
                openToothCounts();
                return;
            }
            if (choice == "2") {
                s_.openChainTypeStep();
                return;
            }
            showError(ui(), "请正确输入数字");
        }
    }
    row("许用静强度安全系数", text::fixed(*n, 5, 2), "");
    row("静强度安全系数", text::fixed(S, 5, 2), "");
    entry("静强度安全系数", S);
    complete(kIntensity);
    s_.gate().switchToTab(Tab::Result);
}

void RollerDesign::cancelStaticStrength() {
    s_.gate().hidePanel(Panel::Intensity);
}

namespace {

// The data of one chain number in table Roller, for one row of the chain.
struct ChainData {
    double qmin = 0; // ultimate tensile load
    double mass = 0; // kg/m
    double b2 = 0;
    double dz = 0;
    double dr = 0;
    double pt = 0;
    double h = 0;
};

// The row of `chainNo`, when the table holds it with every value.
std::optional<ChainData> readChain(const std::filesystem::path& databaseDir,
                                   const std::string& chainNo) {
    checkReferenceTable(databaseDir, "Roller");
    store::Table chains(databaseDir, "Roller");
    chains.open();
    for (chains.first(); !chains.eof() && chains.text(0) != chainNo; chains.next()) {
    }
    if (chains.eof()) {
        return std::nullopt;
    }
    ChainData data;
    // The load is kept as a text in the table and read as one.
    const auto qmin = text::parseDecimal(text::trimmed(chains.text("单排极限拉伸载荷Qmin")));
    if (!qmin) {
        return std::nullopt;
    }
    data.qmin = qmin.value_or(0);
    const std::pair<const char*, double*> byName[] = {
        {"单排每米质量q", &data.mass}, {"内链节外宽b2max", &data.b2}, {"销轴直径dzmax", &data.dz},
        {"滚子外径drmax", &data.dr},   {"排距pt", &data.pt},          {"内链板高度hmax", &data.h}};
    for (const auto& [name, target] : byName) {
        const auto value = chains.number(name);
        if (!value) {
            return std::nullopt;
        }
        *target = value.value_or(0);
    }
    return data;
}

} // namespace

bool RollerDesign::checkStaticStrength() {
    auto& r = rec();
    const std::string chainNo = r.getText(RollerField::ChainNo);
    const auto found = readChain(s_.databaseDir(), chainNo);
    if (!found) {
        showError(ui(),
                  "滚子链数据表Roller中没有链号“" + chainNo + "”的完整数据,无法进行静强度计算。");
        return false;
    }
    const ChainData chain = found.value_or(ChainData{});
    double qmin = chain.qmin;
    if (std::llround(r.getDouble(RollerField::Lp)) % 2 != 0) {
        // An offset link weakens the chain.
        qmin = text::parseDecimal(text::fixed(0.8 * qmin, 7, 0)).value_or(0.8 * qmin);
    }
    const std::string qminShown = text::general(qmin);
    double q1 = qmin;
    for (;;) {
        const auto value = text::parseDecimal(
            PromptValue(ui(), "输入极限拉伸载荷Q", "Qmin=" + qminShown, qminShown));
        // Far above the table's load no chain is made: the strength would mean nothing.
        const ComputableRange loads{"极限拉伸载荷", qmin, 100 * qmin, "N"};
        if (value && *value >= qmin && withinRange(loads, *value)) {
            q1 = *value;
            break;
        }
        showError(ui(), value && *value >= qmin ? outOfRangeText(loads)
                                                : std::string("请正确输入极限拉伸载荷值!"));
    }
    const double rows = r.getDouble(RollerField::Rows);
    r.setDouble(RollerField::Q, rows * q1);
    const double massOfChain = rows * chain.mass;
    const double v = r.getDouble(RollerField::v);
    const double tension =
        r.getDouble(RollerField::Ft) * r.getDouble(RollerField::KA) + massOfChain * v * v;
    r.setDouble(RollerField::S, rows * q1 / tension);
    r.setDouble(RollerField::b2, chain.b2);
    r.setDouble(RollerField::dz, chain.dz);
    r.setDouble(RollerField::pr, tension / (chain.b2 * chain.dz));
    r.setDouble(RollerField::dr, chain.dr);
    r.setDouble(RollerField::pt, chain.pt);
    r.setDouble(RollerField::h, chain.h);
    row("滚子外径(最大值)", text::fixed(chain.dr, 4, 2), "mm");
    row("链条排距", text::fixed(chain.pt, 4, 2), "mm");
    row("内链板高(最大值)", text::fixed(chain.h, 4, 2), "mm");
    return true;
}

} // namespace zorvane::roller
