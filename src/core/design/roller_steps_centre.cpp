// The roller chain steps 链条速度, 初定中心距 (panel pnlInit_a0, with the fatigue life check when
// the pitch was not confirmed by the power rating) and 实际中心距 (panel pnla).

#include "core/design/roller_steps.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_formulas.h"
#include "core/store/table.h"
#include "core/text/number_text.h"

#include <cmath>

namespace zorvane::design {

using roller::TR_Field;

// ---- 链条速度 ---------------------------------------------------------------------------------

void RollerSteps::spnRVClick() {
    if (!ready() || !prepare(kV, true)) {
        return;
    }
    CalcSpeed();
}

void RollerSteps::CalcSpeed() {
    auto& r = rec();
    const double p = r.getDouble(TR_Field::p);
    const double v = roller::chainSpeed(r.getDouble(TR_Field::z1), r.getDouble(TR_Field::n1), p);
    const auto advice =
        roller::speedClassAdvice(s_.initInputs().speed, r.getInt(TR_Field::SpeedClass), v);
    if (advice != roller::SpeedAdvice::None) {
        const char* question = advice == roller::SpeedAdvice::ReduceTeeth
                                   ? "小链轮齿数和链速不符,应减小小链轮齿数重新计算,是否重算?"
                                   : "小链轮齿数和链速不符,应增大小链轮齿数重新计算,是否重算?";
        if (askYesNo(ui(), question) == Answer::Yes) {
            spnRNumClick();
            return;
        }
    }
    r.setDouble(TR_Field::v, v);
    row("链条速度", text::fixed(v, 0, 3), "m/s");
    entry("链条速度", v);
    if (r.getInt(TR_Field::LubCond) == 2) {
        row("润滑方式", std::string(roller::lubricationMethod(p, v)), "");
    }
    complete(kV);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 初定中心距 -------------------------------------------------------------------------------

void RollerSteps::spnRInit_a0Click() {
    if (!ready()) {
        return;
    }
    if (done(kInitA0)) {
        if (!prepare(kInitA0, true)) {
            return;
        }
        ShowA0Range();
    } else if (!state().panelVisible(Panel::InitA0)) {
        ShowA0Range();
    }
    s_.gate().showPanel(Panel::InitA0);
    focus("edtInit_a0");
}

void RollerSteps::ShowA0Range() {
    const auto& r = rec();
    roller::A0RangeInputs in;
    in.z1 = r.getDouble(TR_Field::z1);
    in.i = r.getDouble(TR_Field::i);
    in.p = r.getDouble(TR_Field::p);
    in.adjustable = r.getBool(TR_Field::Adjustable);
    in.hasTensioner = r.getBool(TR_Field::HasTensioner);
    in.pulsating = r.getBool(TR_Field::Pulsating);
    in.hasInitA0 = r.getBool(TR_Field::HasInitA0);
    in.initA0 = r.getDouble(TR_Field::InitA0);
    in.a0Dir = r.getText(TR_Field::A0Dir);
    in.a0Tol = r.getDouble(TR_Field::A0Tol);
    in.floatText = s_.initInputs().floatText;
    const roller::A0RangeView view = roller::a0Range(in);
    auto& f = fields();
    f.lblInit_a0 = view.rangeText;
    f.lblInita = view.givenText;
    f.edtInit_a0 = view.defaultText;
    state().A0Range = {view.lower, view.upper};
}

void RollerSteps::Button3Click() {
    if (!ready()) {
        return;
    }
    const auto a0p = text::parseDecimal(fields().edtInit_a0);
    if (!a0p) {
        showError(ui(), "请正确输入以节距表示的中心距");
        focus("edtInit_a0");
        return;
    }
    const auto [lower, upper] = state().A0Range;
    if (*a0p - upper > 0.001 || *a0p - lower < -0.001) {
        showError(ui(), roller::a0OutOfRangeText(lower, upper));
        focus("edtInit_a0");
        return;
    }
    auto& r = rec();
    r.setBool(TR_Field::LifeAccepted, true);
    const double p = r.getDouble(TR_Field::p);
    const double a0 = *a0p * p;
    row("初定中心距", text::fixed(a0, 0, 2), "mm");
    entry("初定中心距", a0);
    engine().SetValue(TR_Field::a0, a0);

    const double exact =
        roller::linkCountExact(*a0p, r.getDouble(TR_Field::z1), r.getDouble(TR_Field::z2));
    auto links = static_cast<double>(text::truncateRoundUp(exact));
    if (std::llround(links) % 2 != 0 &&
        askYesNo(ui(), "链长节数为奇数,为避免过渡链节,宜取偶数,您希望使用过渡链节吗?",
                 Answer::No) != Answer::Yes) {
        links = links > exact ? links - 1 : links + 1;
    }
    engine().SetValue(TR_Field::Lp, links);
    row("链长节数", text::fixed(links, 0, 2), "节");
    entry("链长节数", exact);
    const double length = exact * p / 1000;
    row("链条长度", text::fixed(length, 0, 3), "m");
    entry("链条长度", length);

    if (state().NeedLifeCheck == roller::kLifeCheckRequired) {
        CalcFatigueLife();
    }
    if (!rec().getBool(TR_Field::LifeAccepted)) {
        return;
    }
    complete(kInitA0);
    s_.gate().hidePanel(Panel::InitA0);
    s_.gate().switchToTab(Tab::Result);
}

void RollerSteps::Button4Click() {
    s_.gate().hidePanel(Panel::InitA0);
}

void RollerSteps::CalcFatigueLife() {
    auto& r = rec();
    const roller::FatigueLife life = roller::fatigueLife(
        r.getDouble(TR_Field::z1), r.getDouble(TR_Field::n1), r.getDouble(TR_Field::p),
        r.getDouble(TR_Field::KA), r.getDouble(TR_Field::Power), r.getDouble(TR_Field::Kp),
        r.getDouble(TR_Field::Lp));
    if (r.getDouble(TR_Field::T) == -1) {
        r.setDouble(TR_Field::T, life.hours);
    } else if (life.hours < r.getDouble(TR_Field::T) &&
               askYesNo(ui(),
                        "使用寿命计算值太小，应增大节距或减小工率重新计算，您要重新计算吗?") ==
                   Answer::Yes) {
        const std::string choice = PromptValue(ui(), "输入1或2", "[1:增大节距;2:减小功率]", "1");
        r.setBool(TR_Field::LifeAccepted, false);
        // What this run of the step recorded goes, so that the step can be run again cleanly
        // whatever the other step's question is answered.
        s_.results()->DeleteFrom("初定中心距");
        s_.history()->DeleteFrom("初定中心距");
        if (choice == "1") {
            spnRNodeSClick();
        } else {
            s_.openInitialConditions();
        }
        return;
    } else {
        r.setBool(TR_Field::LifeAccepted, true);
    }
    row("使用寿命(疲劳寿命)", text::fixed(life.hours, 0, 2), "h");
    entry("使用寿命(疲劳寿命)", life.hours);
}

// ---- 实际中心距 -------------------------------------------------------------------------------

void RollerSteps::spnR_a0Click() {
    if (!ready()) {
        return;
    }
    if (done(kA)) {
        if (!prepare(kA)) {
            return;
        }
    } else if (state().panelVisible(Panel::A)) {
        return;
    }
    CalcCentreDistance();
}

void RollerSteps::CalcCentreDistance() {
    std::vector<roller::KaRow> rows;
    store::Table table(s_.databaseDir(), "Ka");
    table.open();
    for (table.first(); !table.eof(); table.next()) {
        const auto ratio = table.number(0);
        const auto factor = table.number(1);
        if (ratio && factor) {
            rows.emplace_back(*ratio, *factor);
        }
    }
    table.close();
    const auto& r = rec();
    const double a = roller::theoreticalCentreDistance(
        r.getDouble(TR_Field::Lp), r.getDouble(TR_Field::z1), r.getDouble(TR_Field::z2),
        r.getDouble(TR_Field::p), rows);
    engine().SetValue(TR_Field::a, a);
    row("理论中心距", text::fixed(a, 0, 3), "mm");
    entry("理论中心距", a);
    fields().lbla = std::string(
        roller::deltaAAdvice(r.getBool(TR_Field::Adjustable), r.getBool(TR_Field::HasTensioner)));
    s_.gate().showPanel(Panel::A);
    focus("edta");
}

void RollerSteps::btnAOkClick() {
    if (!ready()) {
        return;
    }
    const auto d = text::parseDecimal(fields().edta);
    if (!d) {
        showError(ui(), "请正确输入中心距的变化量");
        focus("edta");
        return;
    }
    if (*d > 0.004 || *d < 0.002) {
        showError(ui(), "中心距变化量的输入值超出范围!");
        focus("edta");
        return;
    }
    const double actual = roller::actualCentreDistance(rec().getDouble(TR_Field::a), *d);
    engine().SetValue(TR_Field::aReal, actual);
    row("实际中心距", text::fixed(actual, 0, 0), "mm");
    entry("实际中心距", actual);
    complete(kA);
    s_.gate().switchToTab(Tab::Result);
    s_.gate().hidePanel(Panel::A);
}

void RollerSteps::btnACancelClick() {
    s_.gate().hidePanel(Panel::A);
}

} // namespace zorvane::design
