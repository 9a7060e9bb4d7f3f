// The toothed chain steps 初定中心距 (panel pnlInit_a0), 实际中心距 (panel pnla), 链条速度,
// 作用在轴上的力 and 链轮主要尺寸.

#include "core/design/drive_formulas.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/text/number_text.h"
#include "core/toothed/toothed_steps.h"

namespace zorvane::toothed {

using namespace design;

// ---- 初定中心距 -------------------------------------------------------------------------------

void ToothedSteps::spnDInit_a0Click() {
    if (!ready()) {
        return;
    }
    if (done(kInitA0)) {
        if (!prepare(kInitA0)) {
            return;
        }
        ShowA0Range();
    } else if (!state().panelVisible(Panel::InitA0)) {
        ShowA0Range();
    }
    s_.gate().showPanel(Panel::InitA0);
    focus("edtInit_a0");
}

void ToothedSteps::ShowA0Range() {
    const auto& r = rec();
    A0RangeInputs in;
    in.rules = A0Rules::Toothed;
    in.z1 = r.getDouble(TD_Field::z1);
    in.i = r.getDouble(TD_Field::i);
    in.p = r.getDouble(TD_Field::p);
    in.adjustable = r.getBool(TD_Field::Adjustable);
    in.hasTensioner = r.getBool(TD_Field::HasTensioner);
    in.pulsating = r.getBool(TD_Field::Pulsating);
    in.hasInitA0 = r.getBool(TD_Field::HasInitA0);
    in.initA0 = r.getDouble(TD_Field::InitA0);
    in.a0Dir = r.getText(TD_Field::A0Dir);
    in.a0Tol = r.getDouble(TD_Field::A0Tol);
    const A0RangeView view = a0Range(in);
    auto& f = fields();
    f.lblInit_a0 = view.rangeText;
    f.lblInita = view.givenText;
    f.edtInit_a0 = view.defaultText;
    state().A0Range = {view.lower, view.upper};
}

void ToothedSteps::Button3Click() {
    if (!ready()) {
        return;
    }
    const auto& r = rec();
    const auto confirmed = confirmInitialCentreDistance(
        s_, r.getDouble(TD_Field::p), r.getDouble(TD_Field::z1), r.getDouble(TD_Field::z2));
    if (!confirmed) {
        return;
    }
    engine().SetValue(TD_Field::a0, confirmed->a0);
    engine().SetValue(TD_Field::Lp, confirmed->links);
    complete(kInitA0);
    s_.gate().hidePanel(Panel::InitA0);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 实际中心距 -------------------------------------------------------------------------------

void ToothedSteps::spnD_a0Click() {
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
    const auto& r = rec();
    engine().SetValue(TD_Field::a,
                      recordTheoreticalCentreDistance(
                          s_, r.getDouble(TD_Field::Lp), r.getDouble(TD_Field::z1),
                          r.getDouble(TD_Field::z2), r.getDouble(TD_Field::p),
                          r.getBool(TD_Field::Adjustable), r.getBool(TD_Field::HasTensioner)));
}

void ToothedSteps::btnAOkClick() {
    if (!ready()) {
        return;
    }
    const auto d = readCentreDistanceChange(s_);
    if (!d) {
        return;
    }
    // The toothed chain keeps the actual centre distance unrounded.
    const double actual = (1 - *d) * rec().getDouble(TD_Field::a);
    engine().SetValue(TD_Field::aReal, actual);
    row("实际中心距", text::fixed(actual, 10, 3), "mm");
    entry("实际中心距", actual);
    complete(kA);
    s_.gate().switchToTab(Tab::Result);
    s_.gate().hidePanel(Panel::A);
}

// ---- 链条速度 ---------------------------------------------------------------------------------

void ToothedSteps::spnDVClick() {
    if (!ready() || !prepare(kV)) {
        return;
    }
    auto& r = rec();
    const double v =
        chainSpeed(r.getDouble(TD_Field::z1), r.getDouble(TD_Field::n1), r.getDouble(TD_Field::p));
    r.setDouble(TD_Field::v, v);
    row("链条速度", text::fixed(v, 10, 3), "m/s");
    entry("链条速度", v);
    complete(kV);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 作用在轴上的力 ---------------------------------------------------------------------------

void ToothedSteps::spnDFClick() {
    if (!ready() || !prepare(kF)) {
        return;
    }
    auto& r = rec();
    const double ft = circumferentialForce(r.getDouble(TD_Field::Power), r.getDouble(TD_Field::v));
    r.setDouble(TD_Field::Ft, ft);
    row("有效圆周力", text::fixed(ft, 12, 2), "N");
    entry("有效圆周力", ft);
    const int layout = r.getInt(TD_Field::Layout);
    const double kf =
        layoutAsksTensionFactor(layout) ? askTensionFactor(ui(), "拉力系数输入值超出范围!") : 0;
    const double fq = shaftForce(layout, kf, ft, r.getDouble(TD_Field::KA));
    r.setDouble(TD_Field::FQ, fq);
    row("作用于轴上的拉力", text::fixed(fq, 12, 2), "N");
    entry("作用于轴上的拉力", fq);
    complete(kF);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 链轮主要尺寸 -----------------------------------------------------------------------------

void ToothedSteps::spnDWheelClick() {
    if (!ready() || !prepare(kWheel)) {
        return;
    }
    const auto& r = rec();
    for (const auto& size : TD_Design::SprocketSizes(
             r.getDouble(TD_Field::p), r.getDouble(TD_Field::z1), r.getDouble(TD_Field::z2))) {
        s_.results()->AddSizeRow(std::string(size.item), size.smallValue, size.largeValue);
    }
    state().sizeAreaVisible = true;
    state().sizePicture = (s_.databaseDir() / "DWheel.bmp").string();
    complete(kWheel);
    s_.gate().switchToTab(Tab::Result);
}

} // namespace zorvane::toothed
