#pragma once
// The formulas both chains share from the chain speed to the shaft load: the initial centre
// distance with its accepted range, the link count, the theoretical centre distance over the
// factor table Ka, and the forces. Plain functions of numbers.

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorvane::design {

// ---- Chain speed ----------------------------------------------------------------------------

// v = z1 · n1 · p / 60000, m/s (p in mm, n1 in r/min).
double chainSpeed(double z1, double n1, double p);

// ---- Initial centre distance ----------------------------------------------------------------

// The smallest initial centre distance in pitches: 0.2·z1·(i + 1) below i = 4, else
// 0.33·z1·(i − 1).
double a0MinPitches(double z1, double i);

// The two chains word and round the range alike but for two rules: the roller chain takes the
// lower end as the text shows it (two decimals) and proposes the middle of (a0min, 30) for a
// fixed centre distance; the toothed chain keeps a0min unrounded and proposes the middle of its
// best range (a0min, 25) under a pulsating load without tensioner.
enum class A0Rules { Roller, Toothed };

struct A0RangeInputs {
    A0Rules rules = A0Rules::Roller;
    double z1 = 0;
    double i = 0;
    double p = 0;
    bool adjustable = false;
    bool hasTensioner = false;
    bool pulsating = false;
    bool hasInitA0 = false;
    double initA0 = 0; // mm
    std::string a0Dir; // "上调", "下调" or "上调或下调"
    double a0Tol = 0;  // fraction of the given value
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

// ---- Theoretical centre distance -------------------------------------------------

// One row of the reference table Ka: the ratio (Lp − z1)/(z2 − z1) and its factor.
using KaRow = std::pair<double, double>;

// The centre distance factor for ratio r: fixed values at and below 1.05 and above 30, else the
// linear interpolation between the first pair of rows whose upper ratio reaches r. A ratio
// beyond the last row (up to 30) is interpolated between the last row and the value at 30, one
// before the first row between the value at 1.05 and the first row.
double centreDistanceFactor(double r, const std::vector<KaRow>& rows);

// a in mm from the chain length in links.
double theoreticalCentreDistance(double Lp, double z1, double z2, double p,
                                 const std::vector<KaRow>& rows);

// The advice on the centre distance reduction Δa shown above edta.
std::string_view deltaAAdvice(bool adjustable, bool hasTensioner);

// ---- Forces ---------------------------------------------------------------------------------

// Ft = 1000·P / v, N.
double circumferentialForce(double power, double v);
// Whether the drive arrangement asks for the tension factor Kf (horizontal or inclined).
bool layoutAsksTensionFactor(int layout);
// FQ for the arrangement; kf is used only where the arrangement asks for it.
double shaftForce(int layout, double kf, double ft, double ka);

} // namespace zorvane::design
