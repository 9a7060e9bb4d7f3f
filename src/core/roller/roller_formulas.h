#pragma once
// The formulas of the roller chain steps after the pitch that the toothed chain does not share:
// lubrication and the speed-class check, the rounded actual centre distance, service life and
// wear, and the sprocket sizes. Plain functions of numbers; the step handlers feed them from
// the design record and the reference tables and record what they return.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvane::roller {

// ---- Chain speed and lubrication ------------------------------------------------------------

// Boundary 1, 2 or 3 of the lubrication chart at pitch p (mm): negative while v lies below the
// line, positive above it. Any other boundary number gives 0.
double LubBoundary(int boundary, double p, double v);

// The lubrication method for chain speed v at pitch p: the first boundary that v lies below.
std::string_view lubricationMethod(double p, double v);

enum class SpeedAdvice { None, ReduceTeeth, IncreaseTeeth };
// The check of the chain speed against the speed class of the initial conditions. The first
// item of the speed list (speedItem 0) always means the low class.
SpeedAdvice speedClassAdvice(int speedItem, int speedClass, double v);

// ---- Actual centre distance ---------------------------------------------------------------

// The actual centre distance (1 − d)·a in whole millimetres (a fraction above .5 rounds up).
double actualCentreDistance(double a, double d);

// ---- Service life and wear ------------------------------------------------------------------

// The quadratic through (x1, y1), (x2, y2), (x3, y3), evaluated at x (extrapolates outside).
double Interp3(double x1, double x2, double x3, double y1, double y2, double y3, double x);

struct FatigueLife {
    double platePower = 0;  // P_plate, kW
    double rollerPower = 0; // P_roller, kW
    double load = 0;        // P' = KA·P/Kp, kW
    double hours = 0;       // T_f
    // P' lies below both ratings: the chain is not fatigue-limited at this load, and `hours` is
    // the shorter of the two lives the formulas give there.
    bool belowRatings = false;
};
FatigueLife fatigueLife(double z1, double n1, double p, double ka, double power, double kp,
                        double Lp);

// The wear coefficient c1 for lubrication condition lubCond and hinge pressure pr (MPa): a
// value, a range the user chooses from, or nothing where the chart gives none.
struct WearCoef {
    std::optional<double> value;
    std::optional<std::pair<double, double>> range;
};
WearCoef WearCoefC1(int lubCond, double pr);
// c2 by the whole-number part of the pitch; nothing for a pitch the chart does not hold.
std::optional<double> PitchCoefC2(double p);
// c3 by small sprocket teeth and chain speed.
double SpeedToothCoefC3(double z1, double v);

// The wear life T_w, h, for K = c1·c2·c3 and elongation Δ.
double wearLife(double K, double pr, double Lp, double v, double z1, double i, double elongation);
// The hinge pressure allowed for a required life T, MPa.
double allowedPressure(double K, double T, double Lp, double v, double z1, double i,
                       double elongation);

// ---- Sprocket sizes -------------------------------------------------------------------------

struct SprocketRow {
    std::string item;
    double small = 0;
    double large = 0;
};
// The size rows of both sprockets in table order, for the standard or the three-arc-one-line
// tooth form.
std::vector<SprocketRow> sprocketSizes(double p, double z1, double z2, double dr, double pt,
                                       double h, bool threeArc);

} // namespace zorvane::roller
