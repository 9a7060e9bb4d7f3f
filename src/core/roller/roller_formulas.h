#pragma once
// The formulas of the roller chain steps after the pitch: chain speed and lubrication, centre
// distances, forces, service life and wear, and the sprocket sizes. Plain functions of numbers;
// the step handlers feed them from the design record and the reference tables and record what
// they return.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvane::roller {

// ---- Chain speed and lubrication ------------------------------------------------------------

// v = z1 · n1 · p / 60000, m/s (p in mm, n1 in r/min).
double chainSpeed(double z1, double n1, double p);

// Boundary 1, 2 or 3 of the lubrication chart at pitch p (mm): negative while v lies below the
// line, positive above it. Any other boundary number gives 0.
double LubBoundary(int boundary, double p, double v);

// The lubrication method for chain speed v at pitch p: the first boundary that v lies below.
std::string_view lubricationMethod(double p, double v);

enum class SpeedAdvice { None, ReduceTeeth, IncreaseTeeth };
// The check of the chain speed against the speed class of the initial conditions. The first
// item of the speed list (speedItem 0) always means the low class.
SpeedAdvice speedClassAdvice(int speedItem, int speedClass, double v);

// ---- Initial centre distance ----------------------------------------------------------------

// The smallest initial centre distance in pitches: 0.2·z1·(i + 1) below i = 4, else
// 0.33·z1·(i − 1).
double a0MinPitches(double z1, double i);

struct A0RangeInputs {
    double z1 = 0;
    double i = 0;
    double p = 0;
    bool adjustable = false;
    bool hasTensioner = false;
    bool pulsating = false;
    bool hasInitA0 = false;
    double initA0 = 0;     // mm
    std::string a0Dir;     // "上调", "下调" or "上调或下调"
    double a0Tol = 0;      // fraction of the given value
    std::string floatText; // the text of the direction list, as the user sees it
};

struct A0RangeView {
    std::string rangeText;   // lblInit_a0
    std::string givenText;   // lblInita, empty without a given value
    std::string defaultText; // edtInit_a0
    double lower = 0;        // pitches
    double upper = 0;
};

// The accepted range of the initial centre distance in pitches with the panel's texts. A given
// initial value x may move by δ = a0Tol · x pitches in the allowed direction.
A0RangeView a0Range(const A0RangeInputs& in);

// The out-of-range message of the initial centre distance.
std::string a0OutOfRangeText(double lower, double upper);

// L' = 2·a0p + ((z2 − z1)/(2π))² / a0p + (z1 + z2)/2, links (unrounded).
double linkCountExact(double a0p, double z1, double z2);

// ---- Theoretical and actual centre distance -------------------------------------------------

// One row of the reference table Ka: the ratio (Lp − z1)/(z2 − z1) and its factor.
using KaRow = std::pair<double, double>;

// The centre distance factor for ratio r: fixed values at and below 1.05 and above 30, else the
// linear interpolation between the first pair of rows whose upper ratio reaches r. A ratio
// beyond the last row (up to 30) is interpolated between the last row and the value at 30.
double centreDistanceFactor(double r, const std::vector<KaRow>& rows);

// a in mm from the chain length in links.
double theoreticalCentreDistance(double Lp, double z1, double z2, double p,
                                 const std::vector<KaRow>& rows);

// The advice on the centre distance reduction Δa shown above edta.
std::string_view deltaAAdvice(bool adjustable, bool hasTensioner);

// The actual centre distance (1 − d)·a in whole millimetres (a fraction above .5 rounds up).
double actualCentreDistance(double a, double d);

// ---- Forces ---------------------------------------------------------------------------------

// Ft = 1000·P / v, N.
double circumferentialForce(double power, double v);
// Whether the drive arrangement asks for the tension factor Kf (horizontal or inclined).
bool layoutAsksTensionFactor(int layout);
// FQ for the arrangement; kf is used only where the arrangement asks for it.
double shaftForce(int layout, double kf, double ft, double ka);

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
