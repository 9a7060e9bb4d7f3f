// The roller chain steps 耐磨损工作能力 and 链轮主要尺寸.

#include "core/design/computable_range.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/roller/roller_design.h"
#include "core/roller/roller_formulas.h"
#include "core/text/number_text.h"

namespace zorvane::roller {

using namespace design;

// ---- 耐磨损工作能力 ---------------------------------------------------------------------------

void RollerDesign::checkWearLife() {
    if (!ready() || !prepare(kWearable)) {
        return;
    }
    if (checkWear()) {
        complete(kWearable);
        s_.gate().switchToTab(Tab::Result);
    }
}

double RollerDesign::askWearCoefficient(double lower, double upper) {
    const std::string a = text::fixed(lower, 3, 2);
    const std::string b = text::fixed(upper, 3, 2);
    const double low = *text::parseDecimal(a);
    const double high = *text::parseDecimal(b);
    for (;;) {
        const auto x = text::parseDecimal(
            PromptValue(ui(), "选择磨损系数c1", "润滑条件越差,c1越小(" + a + "≤c1<" + b + ")", a));
        if (x && *x >= low && *x <= high) {
            return x.value_or(low);
        }
        showError(ui(), "磨损系数输入值有误!");
    }
}

bool RollerDesign::checkWear() {
    auto& r = rec();
    const double pr = r.getDouble(RollerField::pr);
    const double p = r.getDouble(RollerField::p);
    const double z1 = r.getDouble(RollerField::z1);
    const double v = r.getDouble(RollerField::v);
    const double Lp = r.getDouble(RollerField::Lp);
    const double i = r.getDouble(RollerField::i);
    const std::string prText = text::fixed(pr, 0, 2);
    const auto c2 = PitchCoefC2(p);
    const WearCoef c1Chart = WearCoefC1(r.getInt(RollerField::LubCond), pr);
    if (!c2 || (!c1Chart.value && !c1Chart.range)) {
        // Without a coefficient the wear life cannot be estimated: say so and keep the pressure.
        showInformation(ui(),
                        c2 ? "铰链比压" + prText +
                                 "MPa时良好润滑条件下的磨损系数c1没有数据,"
                                 "无法进行耐磨损计算,只记录铰链比压。"
                           : "节距" + text::fixed(p, 0, 3) +
                                 "mm没有节距系数c2的数据,无法进行耐磨损计算,只记录铰链比压。");
        row("铰链比压", prText, "MPa");
        entry("铰链比压", pr);
        return true;
    }
    double K = 0;
    double elongation = 0;
    for (;;) {
        const double c1 = c1Chart.value
                              ? *c1Chart.value
                              : askWearCoefficient(c1Chart.range->first, c1Chart.range->second);
        K = c1 * *c2 * SpeedToothCoefC3(z1, v);
        const auto delta = text::parseDecimal(
            PromptValue(ui(), "请输入许用磨损伸长率", "(若未表明,可在0.03附近取值)", "0.03"));
        if (!delta || *delta >= 1) {
            showError(ui(), "请正确输入磨损伸长率!");
        } else if (*delta <= 0) {
            showError(ui(), "请输入正值!");
        } else if (requireComputable(ui(), kElongationRange, *delta)) {
            elongation = *delta;
            break;
        }
    }
    if (r.getDouble(RollerField::T) == -1) {
        const double life = wearLife(K, pr, Lp, v, z1, i, elongation);
        r.setDouble(RollerField::T, life);
        row("铰链比压", prText, "MPa");
        row("使用寿命(磨损寿命)", text::fixed(life, 0, 2), "h");
        entry("铰链比压", pr);
        entry("使用寿命(磨损寿命)", life);
        return true;
    }
    const double allowed =
        allowedPressure(K, r.getDouble(RollerField::T), Lp, v, z1, i, elongation);
    if (pr > allowed &&
        ui().ask({"提示信息", "铰链比压太大,应改变齿数或链速重新计算,您现在要重新开始吗?",
                  MessageIcon::Information, Buttons::YesNoCancel, Answer::Yes}) == Answer::Yes) {
        const int choice = ui().chooseItem("TfrmJQD", "选择信息", "选择重新设计步骤：",
                                           {"改变链速", "改变齿数"}, 0);
        if (choice == 1) {
            openToothCounts();
        } else {
            s_.steps().openInitialConditions();
        }
        return false;
    }
    row("铰链比压", prText, "MPa");
    row("铰链许用比压", text::fixed(allowed, 0, 2), "MPa");
    entry("铰链比压", pr);
    entry("铰链许用比压", allowed);
    return true;
}

// ---- 链轮主要尺寸 -----------------------------------------------------------------------------

void RollerDesign::computeSprocketSizes() {
    if (!ready() || !prepare(kWheel)) {
        return;
    }
    bool threeArc = false;
    for (;;) {
        const std::string answer =
            PromptValue(ui(), "选择链轮类型", "(1:标准链轮;2:三圆弧一直线链轮)", "1");
        if (answer == "1" || answer == "1 " || answer == "2" || answer == "2 ") {
            threeArc = answer[0] == '2';
            break;
        }
        showError(ui(), "必须输入1或2!");
    }
    recordSprocketSizes(threeArc);
    state().sizeAreaVisible = true;
    state().sizePicture = (s_.databaseDir() / "RWheel.bmp").string();
    complete(kWheel);
    s_.gate().switchToTab(Tab::Result);
}

void RollerDesign::recordSprocketSizes(bool threeArc) {
    const auto& r = rec();
    for (const auto& size :
         sprocketSizes(r.getDouble(RollerField::p), r.getDouble(RollerField::z1),
                       r.getDouble(RollerField::z2), r.getDouble(RollerField::dr),
                       r.getDouble(RollerField::pt), r.getDouble(RollerField::h), threeArc)) {
        s_.results()->AddSizeRow(size.item, size.small, size.large);
    }
}

} // namespace zorvane::roller
