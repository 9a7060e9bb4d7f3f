// The toothed chain steps 初定中心距 (panel pnlInit_a0), 实际中心距 (panel pnla), 链条速度,
// 作用在轴上的力 and 链轮主要尺寸.

#include "core/design/computable_range.h"
#include "core/design/drive_formulas.h"
#include "core/design/session.h"
#include "core/records/design_history.h"
#include "core/records/result_tables.h"
#include "core/text/number_text.h"
#include "core/toothed/toothed_design.h"

namespace zorvane::toothed {

using namespace design;

// ---- 初定中心距 -------------------------------------------------------------------------------

void ToothedDesign::spnDInit_a0Click() {
    if (ready()) {
        openInitialCentreDistance(kInitA0, {}, a0RangeInputs<TD_Field>(rec(), A0Rules::Toothed));
    }
}

void ToothedDesign::Button3Click() {
    if (!ready()) {
        return;
    }
    const auto& r = rec();
    const auto confirmed = design::confirmInitialCentreDistance(
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

void ToothedDesign::spnD_a0Click() {
    if (!ready() || !mayComputeCentreDistance(kA)) {
        return;
    }
    storeTheoreticalCentreDistance<TD_Field>(s_, engine());
}

void ToothedDesign::btnAOkClick() {
    if (!ready()) {
        return;
    }
    const auto d = readCentreDistanceChange(s_);
    if (!d) {
        return;
    }
    // The toothed chain keeps the actual centre distance unrounded.
    const double actual = (1 - *d) * rec().getDouble(TD_Field::a);
    if (!requirePhysical(ui(), kActualCentreBound, actual)) {
        focus("edta");
        return;
    }
    engine().SetValue(TD_Field::aReal, actual);
    row("实际中心距", text::fixed(actual, 10, 3), "mm");
    entry("实际中心距", actual);
    complete(kA);
    s_.gate().switchToTab(Tab::Result);
    s_.gate().hidePanel(Panel::A);
}

// ---- 链条速度 ---------------------------------------------------------------------------------

void ToothedDesign::spnDVClick() {
    if (!ready() || !prepare(kV)) {
        return;
    }
    auto& r = rec();
    const double v =
        chainSpeed(r.getDouble(TD_Field::z1), r.getDouble(TD_Field::n1), r.getDouble(TD_Field::p));
    if (!requirePhysical(ui(), kChainSpeedBound, v)) {
        return;
    }
    r.setDouble(TD_Field::v, v);
    row("链条速度", text::fixed(v, 10, 3), "m/s");
    entry("链条速度", v);
    complete(kV);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 作用在轴上的力 ---------------------------------------------------------------------------

void ToothedDesign::spnDFClick() {
    if (!ready() || !prepare(kF)) {
        return;
    }
    if (!recordShaftLoad<TD_Field>(rec(), "拉力系数输入值超出范围!")) {
        return;
    }
    complete(kF);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 链轮主要尺寸 -----------------------------------------------------------------------------

void ToothedDesign::spnDWheelClick() {
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
