// Coefficient lookups of the roller chain pitch selection: the tooth factor Kz with the design
// power, the two power-rating margins and the pitch allowed by speed.

#include "core/roller/roller_record.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace zorvane::roller {
namespace {

struct KzRow {
    int z1;
    double belowPeak; // column A, (z1/19)^1.08 as rounded in the table
    double atPeak;    // column B, (z1/19)^1.5 as rounded in the table
};

// The stored values are used, not the formulas.
constexpr std::array<KzRow, 17> kKzTable{{
    {9, 0.446, 0.326},
    {10, 0.5, 0.382},
    {11, 0.554, 0.441},
    {12, 0.609, 0.502},
    {13, 0.664, 0.566},
    {14, 0.719, 0.633},
    {15, 0.775, 0.701},
    {16, 0.831, 0.773},
    {17, 0.887, 0.846},
    {18, 0.943, 0.922},
    {19, 1.0, 1.0},
    {20, 1.06, 1.08},
    {21, 1.11, 1.16},
    {22, 1.17, 1.25},
    {23, 1.23, 1.33},
    {24, 1.29, 1.42},
    {25, 1.34, 1.51},
}};

constexpr bool isConsecutive(const std::array<KzRow, 17>& table) {
    for (std::size_t k = 0; k < table.size(); ++k) {
        if (table[k].z1 != table[0].z1 + static_cast<int>(k)) {
            return false;
        }
    }
    return true;
}
static_assert(isConsecutive(kKzTable), "one Kz row per tooth count");

constexpr double kKzFirstZ1 = 9.0;
constexpr double kKzLastRow = 16.0; // z1 = 25
// Above the table the column is chosen against this speed instead of the peak speed.
constexpr double kKzSpeedAboveTable = 1800.0;
constexpr double kExponentBelowPeak = 1.08;
constexpr double kExponentAtPeak = 1.5;

struct PitchRow {
    double above; // the row holds for n strictly above this speed, r/min
    double p;     // mm
    std::string_view chainNo;
};

// First matching row wins; the last row takes every other speed.
constexpr std::array<PitchRow, 10> kPitchBySpeed{{
    {2600.0, 12.7, "08A"},
    {2000.0, 15.875, "10A"},
    {1500.0, 19.05, "12A"},
    {1200.0, 25.4, "16A"},
    {1000.0, 31.75, "20A"},
    {800.0, 38.1, "24A"},
    {650.0, 44.45, "28A"},
    {420.0, 50.8, "32A"},
    {220.0, 63.5, "40A"},
    {-std::numeric_limits<double>::infinity(), 76.2, "48A"},
}};

// Above this speed the pitch by speed is smaller than the largest one, so the power rating did
// not confirm it and the fatigue life has to be checked.
constexpr double kLifeCheckSpeed = 220.0;
static_assert(kPitchBySpeed[kPitchBySpeed.size() - 2].above == kLifeCheckSpeed);

// -log10(0.003 * 19^1.08)
constexpr double kPlateConstant = 1.141825;

bool validMarginArguments(double p, double n, double P) {
    return std::isfinite(p) && p > 0.0 && std::isfinite(n) && n > 0.0 && std::isfinite(P) &&
           P >= 0.0;
}

} // namespace

double RollerEngine::ToothFactor(double z1, double n1, double nPeak) {
    // z1 is a whole number; the rounding only guards against representation noise.
    const double k = std::nearbyint(z1 - kKzFirstZ1);
    if (!(k >= 1.0 - kKzFirstZ1)) {
        return 0.0; // z1 below 1 or not a number
    }
    if (k > kKzLastRow) {
        const KzRow& row = kKzTable.back();
        return n1 < kKzSpeedAboveTable ? row.belowPeak : row.atPeak;
    }
    const bool belowPeak = n1 < nPeak;
    if (k < 0.0) {
        // Below the table: the formulas the table was rounded from.
        return std::pow((k + kKzFirstZ1) / 19.0, belowPeak ? kExponentBelowPeak : kExponentAtPeak);
    }
    const KzRow& row = kKzTable[static_cast<std::size_t>(k)];
    return belowPeak ? row.belowPeak : row.atPeak;
}

bool RollerEngine::CalcDesignPower(double nPeak) {
    const double kz =
        ToothFactor(rec_.getDouble(RollerField::z1), rec_.getDouble(RollerField::n1), nPeak);
    const double divisor = kz * rec_.getDouble(RollerField::Kp);
    if (!std::isfinite(divisor) || !(divisor > 0.0)) {
        return false;
    }
    rec_.setDouble(RollerField::Pd,
                   rec_.getDouble(RollerField::KA) * rec_.getDouble(RollerField::Power) / divisor);
    return true;
}

double RollerEngine::PlateMargin(double p, double n, double P) {
    if (!validMarginArguments(p, n, P)) {
        return std::numeric_limits<double>::infinity();
    }
    return std::log10(P) - 0.9 * std::log10(n) -
           (std::log10(p) - std::log10(25.4)) * (3.0 - 0.0028 * p) + kPlateConstant;
}

double RollerEngine::RollerMargin(double p, double n, double P) {
    if (!validMarginArguments(p, n, P)) {
        return std::numeric_limits<double>::infinity();
    }
    return std::log10(P) + 1.5 * std::log10(n) - 0.8 * std::log10(p) - std::log10(950.0) -
           1.5 * std::log10(19.0);
}

RollerPitchChoice RollerEngine::PitchBySpeed(double n, int& needLifeCheck) {
    const PitchRow* chosen = &kPitchBySpeed.back(); // also for a speed that is not a number
    for (const PitchRow& row : kPitchBySpeed) {
        if (n > row.above) {
            chosen = &row;
            break;
        }
    }
    if (n > kLifeCheckSpeed) {
        needLifeCheck = kLifeCheckRequired;
    }
    rec_.setDouble(RollerField::p, chosen->p);
    rec_.setText(RollerField::ChainNo, chosen->chainNo);
    return {chosen->p, chosen->chainNo};
}

} // namespace zorvane::roller
