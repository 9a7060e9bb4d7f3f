#pragma once
// The pieces of the step handlers that roller and toothed chain designs share: the confirmation
// of the initial centre distance on panel pnlInit_a0 with the link count, the theoretical centre
// distance before panel pnla, and the tension factor prompt of the force step. Each records its
// rows and history entries; the caller stores the values into its own design record.

#include "core/design/computable_range.h"
#include "core/design/drive_formulas.h"
#include "core/design/initial_conditions.h"
#include "core/design/interaction.h"
#include "core/design/steps.h"

#include <functional>
#include <optional>
#include <string>

namespace zorvane::design {

class DesignSession;
class Interaction;
struct MainState;
struct PanelFields;

// A number as the result rows write it (text::fixed), for the templates below.
std::string fixedText(double value, int width, int decimals);

// How a chain's tooth-count step speaks and writes where chains differ; the checks themselves
// are the same for every chain.
struct ToothCountRules {
    const char* unreadableSmall; // the small count is not a positive whole number
    const char* unreadableIdler;
    bool idlerAgainstWholeSmall; // the idler is compared with the whole part of the small count
    MessageIcon ratioRefusalIcon;
    int countWidth;      // width of the counts' rows; −1: the counts as typed
    bool idlerRowAlways; // the idler's row is written also without an idler
    int ratioWidth;      // 平均传动比
    int ratioDecimals;
    int speedWidth; // 大链轮转速
    int speedDecimals;
};

// The record values the tooth-count step reads.
struct ToothCountRecord {
    double z1 = 0;
    double z2 = 0;
    double z2Calc = 0;
    double iInit = 0;
    double iTol = 0;
    double n1 = 0;
    std::string iDir;
    bool hasIdler = false;
};

// What the step handlers of both chains have in common: the step gate of their chain, the
// panel fields, the user and the working tables.

class StepHandlers {
public:
    // A tooth count: a positive whole number, as text.
    static std::optional<double> toothCount(const std::string& text);

protected:
    StepHandlers(DesignSession& session, Chain chain) : s_(session), chain_(chain) {}

    bool done(int position) const;
    // The re-run rule of the step at `position`, with the step's own resets of the record.
    bool prepare(int position, const std::function<void()>& ownResets = {});
    void complete(int position);
    void focus(const char* objectName);
    MainState& state();
    PanelFields& fields();
    Interaction& ui();
    // One row of the result table; one entry of the history.
    void row(const std::string& item, const std::string& value, const std::string& unit);
    void entry(const std::string& item, double value);

    // 链轮齿数 at `position`, once its re-run rule passed: the panel shows the record's counts.
    void showToothCounts(const ToothCountRecord& record);
    // Leaving the large or the idler count: false when the text was refused.
    bool leaveLargeToothCount();
    bool leaveIdlerToothCount(const ToothCountRules& rules);
    // 确定 of the tooth-count panel: the counts checked against each other and the ratio asked
    // for; `keep` stores z1, z2 and the ratio into the chain's record before the rows are
    // written. False when the step did not complete.
    bool confirmCounts(int position, const ToothCountRules& rules, const ToothCountRecord& record,
                       const std::function<void(double z1, double z2, double i)>& keep);

    // 初定中心距 at `position`: a redo asks first; the range is proposed unless the panel still
    // shows it from an earlier visit; then panel pnlInit_a0 is shown.
    void openInitialCentreDistance(int position, const std::function<void()>& ownResets,
                                   const A0RangeInputs& range);
    // 实际中心距 at `position`: whether the theoretical centre distance is to be computed now (a
    // redo asks first; a first visit while pnla is showing does nothing).
    bool mayComputeCentreDistance(int position);
    // 作用在轴上的力: Ft and FQ recorded for the record of either chain, whose fields carry the
    // same names; `outOfRange` is the chain's message for a tension factor out of range. False,
    // with nothing stored or recorded, when a force is beyond any chain drive.
    template <class Field, class Record>
    bool recordShaftLoad(Record& record, const std::string& outOfRange);

    DesignSession& s_;
    Chain chain_;
};

struct InitialCentreDistance {
    double a0 = 0;    // mm
    double links = 0; // the link count chosen (whole number)
    double exact = 0; // the link count the distance gives, unrounded
};

// Reads edtInit_a0, checks it against A0Range and the distance it gives against the bound of
// any chain drive, and records 初定中心距, 链长节数 and 链条长度, asking about an offset link
// when the count is odd. Nothing when the text was refused (the message was shown and the focus
// goes back to the field).
std::optional<InitialCentreDistance> confirmInitialCentreDistance(DesignSession& session, double p,
                                                                  double z1, double z2);

// Computes the theoretical centre distance over table Ka, records 理论中心距, puts the advice on
// Δa into lbla and shows panel pnla. Returns the distance, mm; nothing, with nothing recorded,
// when the distance is beyond any chain drive.
std::optional<double> recordTheoreticalCentreDistance(DesignSession& session, double Lp, double z1,
                                                      double z2, double p, bool adjustable,
                                                      bool hasTensioner);

// Reads edta as Δa/a within 0.002 to 0.004; nothing when refused.
std::optional<double> readCentreDistanceChange(DesignSession& session);

// The tension factor Kf between 1.15 and 1.2, asked until the answer is usable; `outOfRange`
// is the message of a number outside that range.
double askTensionFactor(Interaction& ui, const std::string& outOfRange);

// The theoretical centre distance of the engine of either chain, recorded and stored.
template <class Field, class Engine>
void storeTheoreticalCentreDistance(DesignSession& session, Engine& engine) {
    const auto& r = engine.record();
    const auto a = recordTheoreticalCentreDistance(
        session, r.getDouble(Field::Lp), r.getDouble(Field::z1), r.getDouble(Field::z2),
        r.getDouble(Field::p), r.getBool(Field::Adjustable), r.getBool(Field::HasTensioner));
    if (a) {
        engine.SetValue(Field::a, *a);
    }
}

// The initial conditions into the record of either chain, whose fields carry the same names.
template <class Field, class Engine>
void keepInitialConditionsIn(Engine& engine, const InitOutcome& out) {
    auto& rec = engine.record();
    rec.setDouble(Field::iTol, out.ratioTol);
    rec.setText(Field::iDir, out.ratioDirText);
    engine.SetValue(Field::iInit, out.ratio);
    rec.setBool(Field::Adjustable, out.adjustable);
    rec.setBool(Field::HasTensioner, out.hasTensioner);
    rec.setBool(Field::Pulsating, out.pulsating);
    rec.setBool(Field::HasInitA0, out.hasInitA0);
    rec.setText(Field::A0Dir, out.a0DirText);
    rec.setInt(Field::TensionerKind, out.tensionerKind);
    engine.SetValue(Field::Power, out.power);
    engine.SetValue(Field::n1, out.n1);
    rec.setInt(Field::Layout, out.layout);
    rec.setInt(Field::SpeedClass, out.speedClass);
    engine.SetValue(Field::z1, out.z1);
    engine.SetValue(Field::z2Calc, out.z2Calc);
    engine.SetValue(Field::z2, out.z2);
    engine.SetValue(Field::KA, out.ka);
    if (out.a0Tol) {
        engine.SetValue(Field::A0Tol, *out.a0Tol);
    }
}

// The given initial centre distance, kept once its check passed.
template <class Field, class Engine>
void keepPassedCentreDistance(Engine& engine, const InitOutcome& out) {
    if (out.initA0) {
        engine.SetValue(Field::InitA0, *out.initA0);
    }
}

// What the tooth-count step reads from the record of either chain.
template <class Field, class Record> ToothCountRecord toothCountRecordOf(const Record& r) {
    ToothCountRecord out;
    out.z1 = r.getDouble(Field::z1);
    out.z2 = r.getDouble(Field::z2);
    out.z2Calc = r.getDouble(Field::z2Calc);
    out.iInit = r.getDouble(Field::iInit);
    out.iTol = r.getDouble(Field::iTol);
    out.n1 = r.getDouble(Field::n1);
    out.iDir = r.getText(Field::iDir);
    out.hasIdler = r.getBool(Field::HasTensioner) && r.getInt(Field::TensionerKind) == 0;
    return out;
}

// The range inputs of the initial centre distance from the record of either chain.
template <class Field, class Record> A0RangeInputs a0RangeInputs(const Record& r, A0Rules rules) {
    A0RangeInputs in;
    in.rules = rules;
    in.z1 = r.getDouble(Field::z1);
    in.i = r.getDouble(Field::i);
    in.p = r.getDouble(Field::p);
    in.adjustable = r.getBool(Field::Adjustable);
    in.hasTensioner = r.getBool(Field::HasTensioner);
    in.pulsating = r.getBool(Field::Pulsating);
    in.hasInitA0 = r.getBool(Field::HasInitA0);
    in.initA0 = r.getDouble(Field::InitA0);
    in.a0Dir = r.getText(Field::A0Dir);
    in.a0Tol = r.getDouble(Field::A0Tol);
    return in;
}

template <class Field, class Record>
bool StepHandlers::recordShaftLoad(Record& r, const std::string& outOfRange) {
    const double ft = circumferentialForce(r.getDouble(Field::Power), r.getDouble(Field::v));
    if (!requirePhysical(ui(), kPullBound, ft)) {
        return false;
    }
    const int layout = r.getInt(Field::Layout);
    const double kf = layoutAsksTensionFactor(layout) ? askTensionFactor(ui(), outOfRange) : 0;
    const double fq = shaftForce(layout, kf, ft, r.getDouble(Field::KA));
    if (!requirePhysical(ui(), kShaftLoadBound, fq)) {
        return false;
    }
    r.setDouble(Field::Ft, ft);
    row("有效圆周力", fixedText(ft, 12, 2), "N");
    entry("有效圆周力", ft);
    r.setDouble(Field::FQ, fq);
    row("作用于轴上的拉力", fixedText(fq, 12, 2), "N");
    entry("作用于轴上的拉力", fq);
    return true;
}

} // namespace zorvane::design
