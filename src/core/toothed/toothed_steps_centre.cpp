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

void ToothedDesign::proposeInitialCentreDistance() {
    if (ready()) {
        openInitialCentreDistance(kInitA0, {},
                                  a0RangeInputs<ToothedField>(rec(), A0Rules::Toothed));
    }
}

void ToothedDesign::confirmInitialCentreDistance() {
    if (!ready()) {
        return;
    }
    const auto& r = rec();
    const auto confirmed = design::confirmInitialCentreDistance(s_, r.getDouble(ToothedField::p),
                                                                r.getDouble(ToothedField::z1),
                                                                r.getDouble(ToothedField::z2));
    if (!confirmed) {
        return;
    }
    engine().SetValue(ToothedField::a0, confirmed->a0);
    engine().SetValue(ToothedField::Lp, confirmed->links);
    complete(kInitA0);
    s_.gate().hidePanel(Panel::InitA0);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 实际中心距 -------------------------------------------------------------------------------

void ToothedDesign::computeCentreDistance() {
    if (!ready() || !mayComputeCentreDistance(kA)) {
        return;
    }
    storeTheoreticalCentreDistance<ToothedField>(s_, engine());
}

void ToothedDesign::confirmCentreDistanceChange() {
    if (!ready()) {
        return;
    }
    const auto d = readCentreDistanceChange(s_);
    if (!d) {
        return;
    }
    // The toothed chain keeps the actual centre distance unrounded.
    const double actual = (1 - *d) * rec().getDouble(ToothedField::a);
    if (!requirePhysical(ui(), kActualCentreBound, actual)) {
        focus("edta");
        return;
    }
    engine().SetValue(ToothedField::aReal, actual);
    row("实际中心距", text::fixed(actual, 10, 3), "mm");
    entry("实际中心距", actual);
    complete(kA);
    s_.gate().switchToTab(Tab::Result);
    s_.gate().hidePanel(Panel::A);
}

// ---- 链条速度 ---------------------------------------------------------------------------------

void ToothedDesign::computeChainSpeed() {
    if (!ready() || !prepare(kV)) {
        return;
    }
    auto& r = rec();
    const double v = chainSpeed(r.getDouble(ToothedField::z1), r.getDouble(ToothedField::n1),
                                r.getDouble(ToothedField::p));
    if (!requirePhysical(ui(), kChainSpeedBound, v)) {
        return;
    }
    r.setDouble(ToothedField::v, v);
    row("链条速度", text::fixed(v, 10, 3), "m/s");
    entry("链条速度", v);
    complete(kV);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 作用在轴上的力 ---------------------------------------------------------------------------

void ToothedDesign::computeShaftLoad() {
    if (!ready() || !prepare(kF)) {
        return;
    }
    if (!recordShaftLoad<ToothedField>(rec(), "拉力系数输入值超出范围!")) {
        return;
    }
    complete(kF);
    s_.gate().switchToTab(Tab::Result);
}

// ---- 链轮主要尺寸 -----------------------------------------------------------------------------

void ToothedDesign::computeSprocketSizes() {
    if (!ready() || !prepare(kWheel)) {
        return;
    }
    const auto& r = rec();
    for (const auto& size :
         ToothedEngine::SprocketSizes(r.getDouble(ToothedField::p), r.getDouble(ToothedField::z1),
                                      r.getDouble(ToothedField::z2))) {
        s_.results()->AddSizeRow(std::string(size.item), size.smallValue, size.largeValue);
    }
    state().sizeAreaVisible = true;
    state().sizePicture = (s_.databaseDir() / "DWheel.bmp").string();
    complete(kWheel);
    s_.gate().switchToTab(Tab::Result);
}

} // namespace zorvane::toothed
