// The power side of the toothed chain design: the rated power per unit chain width by pitch and
// speed, the lubrication boundaries, the tooth-count coefficient with the design power, the
// pitches offered by speed and the chain widths wide enough for the design power.

#include "core/text/number_text.h"
#include "core/toothed/toothed_record.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <limits>

namespace zorvane::toothed {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// One speed range of the rating curve of a pitch: three points of the curve, the first on the
// lower bound of the range and the third on its upper bound.
struct RatingRange {
    double pitchWhole;           // integer part of the pitch, mm
    std::array<double, 3> speed; // r/min
    std::array<double, 3> power; // kW per mm of chain width
    bool includesUpper;          // the range holds its upper bound too
};

// Rated power per unit chain width, by pitch and speed. A range holds from its lower bound up to
// (not including) its upper bound; the first range that holds is used.
constexpr std::array<RatingRange, 28> kRatings{{
    {38, {80, 150, 300}, {0.23, 0.4, 0.7}, false},
    {38, {300, 500, 800}, {0.7, 1.08, 1.41}, false},
    {38, {800, 1000, 1225}, {1.41, 1.47, 1.22}, false},
    {31, {80, 150, 300}, {0.15, 0.27, 0.5}, false},
    {31, {300, 500, 700}, {0.5, 0.769, 0.974}, false},
    {31, {700, 900, 1000}, {0.974, 1.11, 1.176}, false},
    {31, {1000, 1175, 1500}, {1.176, 1.225, 1.0}, false},
    {25, {80, 150, 300}, {0.0959, 0.1732, 0.3415}, false},
    {25, {300, 500, 700}, {0.3415, 0.533, 0.7}, false},
    {25, {700, 800, 1000}, {0.7, 0.7737, 0.874}, false},
    {25, {1000, 1500, 2000}, {0.874, 1.0, 0.7483}, false},
    {19, {80, 150, 300}, {0.0558, 0.098, 0.186}, false},
    {19, {300, 500, 700}, {0.186, 0.3, 0.4}, false},
    {19, {700, 900, 1500}, {0.4, 0.5, 0.6893}, false},
    {19, {1500, 2000, 2650}, {0.6893, 0.7483, 0.6}, false},
    {15, {80, 150, 300}, {0.0372, 0.0674, 0.125}, false},
    {15, {300, 500, 700}, {0.125, 0.2, 0.288}, false},
    {15, {700, 900, 1500}, {0.288, 0.3722, 0.5785}, false},
    {15, {1500, 2000, 3500}, {0.5785, 0.6, 0.4729}, false},
    {12, {80, 150, 300}, {0.025, 0.0468, 0.088}, false},
    {12, {300, 600, 1000}, {0.088, 0.1707, 0.27}, false},
    {12, {1000, 1500, 2000}, {0.27, 0.367, 0.4325}, false},
    {12, {2000, 2450, 3000}, {0.4325, 0.4573, 0.478}, false},
    {12, {3000, 3500, 4000}, {0.478, 0.4729, 0.3565}, false},
    {9, {115, 300, 900}, {0.02, 0.05, 0.15}, false},
    {9, {900, 1500, 2000}, {0.15, 0.23, 0.2766}, false},
    {9, {2000, 3000, 4000}, {0.2766, 0.34, 0.3565}, false},
    {9, {4000, 5000, 6000}, {0.3565, 0.327, 0.235}, true}, // up to 6000 r/min inclusive
}};

// Each pitch's ranges follow one another and share their boundary points, so that its curve is
// continuous in the speed; only the last range of a pitch may hold its upper bound.
constexpr bool isContinuousCurve(const std::array<RatingRange, 28>& table) {
    for (std::size_t k = 0; k < table.size(); ++k) {
        const RatingRange& r = table[k];
        if (!(r.speed[0] < r.speed[1] && r.speed[1] < r.speed[2])) {
            return false;
        }
        const bool lastOfPitch = k + 1 == table.size() || table[k + 1].pitchWhole != r.pitchWhole;
        if (r.includesUpper && !lastOfPitch) {
            return false;
        }
        if (!lastOfPitch &&
            (table[k + 1].speed[0] != r.speed[2] || table[k + 1].power[0] != r.power[2])) {
            return false;
        }
    }
    return true;
}
static_assert(isContinuousCurve(kRatings));

constexpr double kNotRatedSpeed = -1.0;
constexpr double kNotTabledPitch = 0.0;

// The boundary lines of the lubrication chart: log10 P0 = c - 0.97 log10 n1.
constexpr double kLubLine1 = 2.503;
constexpr double kLubLine2 = 2.982;
constexpr double kLubSpeedExponent = 0.97;

// Tooth-count coefficient outside the dkz rows.
constexpr double kKzFewTeeth = 0.77;  // below 17 teeth
constexpr double kKzManyTeeth = 1.88; // above 37 teeth
constexpr double kKzFirstTabled = 17.0;
constexpr double kKzLastTabled = 37.0;

// The pitches the pitch dialog offers, in its order: each where the speed lies in its band.
struct PitchBand {
    double lower;       // r/min
    bool lowerIncluded; // the band holds its lower bound (else strictly above it)
    double upper;       // r/min, excluded
    std::string_view pitch;
};

constexpr std::array<PitchBand, 8> kPitchBands{{
    {500, false, 900, "38.1"},
    {600, false, 1200, "31.75"},
    {800, false, 1500, "25.4"},
    {1000, false, 2000, "19.05"},
    {1200, false, 2500, "15.875"},
    {1500, false, 3000, "12.7"},
    {2000, false, 5000, "9.525"},
    {5000, true, kInf, "9.525"},
}};

// At 500 r/min or less the bands offer nothing. The largest pitch is offered then: it carries
// the most power per unit width at low speeds and its rating reaches down to 80 r/min, the
// lowest of the table. Below that the power step finds it unrated and sends the user back to
// the pitch or to the speed, so the dialog always has a pitch to confirm and the design a way
// on. A speed that is not a number is treated alike.
constexpr std::string_view kLowSpeedPitch = "38.1";
static_assert(kPitchBands.front().pitch == kLowSpeedPitch);
static_assert(kRatings.front().pitchWhole == 38 && kRatings.front().speed[0] == 80);

// Pitches that Dc lists as the same pitch; they lie 3 mm and more apart.
constexpr double kPitchMatchMm = 1e-6;

} // namespace

double ToothedEngine::LogInterp3(double x1, double x2, double x3, double y1, double y2, double y3,
                                 double x) {
    for (const double v : {x1, x2, x3, y1, y2, y3, x}) {
        if (!(std::isfinite(v) && v > 0.0)) {
            return kNaN;
        }
    }
    if (x1 == x2 || x1 == x3 || x2 == x3) {
        return kNaN;
    }
    const double X = std::log10(x);
    const double X1 = std::log10(x1);
    const double X2 = std::log10(x2);
    const double X3 = std::log10(x3);
    const double s = std::log10(y1) * (X - X2) * (X - X3) / ((X1 - X2) * (X1 - X3)) +
                     std::log10(y2) * (X - X1) * (X - X3) / ((X2 - X1) * (X2 - X3)) +
                     std::log10(y3) * (X - X1) * (X - X2) / ((X3 - X1) * (X3 - X2));
    return std::pow(10.0, s);
}

double ToothedEngine::RatedPowerPerWidth(double n, double p) {
    const double whole = std::trunc(p);
    bool tabled = false;
    for (const RatingRange& r : kRatings) {
        if (r.pitchWhole != whole) {
            continue;
        }
        tabled = true;
        const bool inRange =
            n >= r.speed[0] && (n < r.speed[2] || (r.includesUpper && n == r.speed[2]));
        if (inRange) {
            return LogInterp3(r.speed[0], r.speed[1], r.speed[2], r.power[0], r.power[1],
                              r.power[2], n);
        }
    }
    return tabled ? kNotRatedSpeed : kNotTabledPitch;
}

double ToothedEngine::LubBoundary(std::string_view line) const {
    const double p0 = rec_.getDouble(ToothedField::P0);
    const double n1 = rec_.getDouble(ToothedField::n1);
    if (!(std::isfinite(p0) && p0 >= 0.0 && std::isfinite(n1) && n1 > 0.0)) {
        return kInf;
    }
    const double c = line == "1" ? kLubLine1 : kLubLine2;
    return std::log10(p0) + kLubSpeedExponent * std::log10(n1) - c;
}

std::string_view ToothedEngine::LubricationMethod() const {
    if (LubBoundary("1") < 0.0) {
        return "油杯油刷飞溅或浸油润滑";
    }
    if (LubBoundary("2") < 0.0) {
        return "甩油盘或油泵润滑";
    }
    return "油泵润滑";
}

std::optional<double> ToothedEngine::ToothCoefficient(double z1,
                                                      const std::vector<ToothedKzRow>& dkz) {
    if (std::isnan(z1)) {
        return std::nullopt;
    }
    if (z1 < kKzFirstTabled) {
        return kKzFewTeeth;
    }
    if (z1 > kKzLastTabled) {
        return kKzManyTeeth;
    }
    const auto usable = [](double kz) -> std::optional<double> {
        if (std::isfinite(kz) && kz > 0.0) {
            return kz;
        }
        return std::nullopt;
    };
    // Tooth counts are whole numbers; rounding (halves to even) only removes representation
    // noise.
    const double teeth = std::nearbyint(z1);
    if (std::fmod(teeth, 2.0) != 0.0) {
        for (const ToothedKzRow& row : dkz) {
            if (std::nearbyint(row.first) == teeth) {
                return usable(row.second);
            }
        }
    }
    // Between the neighbouring rows: the last row below z1 and the first one at or above it.
    const ToothedKzRow* lower = nullptr;
    const ToothedKzRow* upper = nullptr;
    for (const ToothedKzRow& row : dkz) {
        if (row.first < z1) {
            lower = &row;
        } else if (row.first >= z1) {
            upper = &row;
            break;
        }
    }
    if (upper != nullptr && upper->first == z1) {
        return usable(upper->second);
    }
    if (lower == nullptr || upper == nullptr) {
        return std::nullopt;
    }
    return usable(lower->second + (z1 - lower->first) / (upper->first - lower->first) *
                                      (upper->second - lower->second));
}

bool ToothedEngine::CalcDesignPower(const std::vector<ToothedKzRow>& dkz) {
    const std::optional<double> kz = ToothCoefficient(rec_.getDouble(ToothedField::z1), dkz);
    if (!kz) {
        return false;
    }
    rec_.setDouble(ToothedField::Kz, *kz);
    rec_.setDouble(ToothedField::Pd,
                   rec_.getDouble(ToothedField::KA) * rec_.getDouble(ToothedField::Power) / *kz);
    return true;
}

std::optional<double> ToothedEngine::CalcRatedPower() {
    const double p0 =
        RatedPowerPerWidth(rec_.getDouble(ToothedField::n1), rec_.getDouble(ToothedField::p));
    if (!(std::isfinite(p0) && p0 > 0.0)) {
        return std::nullopt;
    }
    rec_.setDouble(ToothedField::P0, p0);
    return p0;
}

double ToothedEngine::RequiredWidth(double Pd, double P0) {
    if (!(std::isfinite(P0) && P0 > 0.0)) {
        return kInf;
    }
    return Pd / P0;
}

std::vector<std::string_view> ToothedEngine::PitchChoices(double n1) {
    std::vector<std::string_view> pitches;
    for (const PitchBand& band : kPitchBands) {
        const bool aboveLower = band.lowerIncluded ? n1 >= band.lower : n1 > band.lower;
        if (aboveLower && n1 < band.upper) {
            pitches.push_back(band.pitch);
        }
    }
    if (pitches.empty()) {
        pitches.push_back(kLowSpeedPitch);
    }
    return pitches;
}

std::vector<double> ToothedEngine::WidthChoices(const std::vector<ToothedPitchRow>& dc,
                                                const std::vector<ToothedWidthRow>& dcChild,
                                                double p, double requiredWidth) {
    // The query compares with the width as its text writes it, so compare with that number.
    const std::optional<double> bound = text::parseDecimal(text::general(requiredWidth));
    const ToothedPitchRow* pitchRow = nullptr;
    for (const ToothedPitchRow& row : dc) {
        if (std::fabs(row.pitchMm - p) <= kPitchMatchMm) {
            pitchRow = &row;
            break;
        }
    }
    std::vector<double> widths;
    if (!bound || pitchRow == nullptr) {
        return widths;
    }
    for (const ToothedWidthRow& row : dcChild) {
        if (row.key == pitchRow->key && row.widthMm > *bound) {
            widths.push_back(row.widthMm);
        }
    }
    return widths;
}

} // namespace zorvane::toothed
