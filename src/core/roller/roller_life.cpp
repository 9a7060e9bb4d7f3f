// Service life of a roller chain: the fatigue life from the two power ratings, the wear
// coefficients c1, c2 and c3, the wear life and the hinge pressure allowed for a required life.

#include "core/roller/roller_formulas.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace zorvane::roller {

double Interp3(double x1, double x2, double x3, double y1, double y2, double y3, double x) {
    return y1 * (x - x2) * (x - x3) / ((x1 - x2) * (x1 - x3)) +
           y2 * (x - x1) * (x - x3) / ((x2 - x1) * (x2 - x3)) +
           y3 * (x - x1) * (x - x2) / ((x3 - x1) * (x3 - x2));
}

FatigueLife fatigueLife(double z1, double n1, double p, double ka, double power, double kp,
                        double Lp) {
    FatigueLife life;
    life.platePower =
        0.003 * std::pow(z1, 1.08) * std::pow(n1, 0.9) * std::pow(p / 25.4, 3 - 0.0028 * p);
    life.load = ka * power / kp;
    life.rollerPower = 950 * std::pow(z1 / n1, 1.5) * std::pow(p, 0.8);
    const double plateLife = 1e5 / (z1 * n1) * std::pow(life.platePower / life.load, 3.71) * Lp;
    const double rollerLife = 150 * std::pow(life.rollerPower / life.load, 2) * Lp;
    if (life.load >= life.platePower) {
        life.hours = plateLife;
    } else if (life.load >= life.rollerPower) {
        life.hours = rollerLife;
    } else {
        life.belowRatings = true;
        life.hours = std::min(plateLife, rollerLife);
    }
    return life;
}

namespace {

// A coefficient of a chart: a constant, or the quadratic through three of its points.
struct Term {
    std::array<double, 3> x{};
    std::array<double, 3> y{};
    bool constant = false;

    static constexpr Term of(double value) { return {{}, {value, value, value}, true}; }
    double at(double v) const {
        return constant ? y[0] : Interp3(x[0], x[1], x[2], y[0], y[1], y[2], v);
    }
};

constexpr Term Q(double x1, double x2, double x3, double y1, double y2, double y3) {
    return {{x1, x2, x3}, {y1, y2, y3}, false};
}

constexpr double kNoUpper = std::numeric_limits<double>::infinity();

// One interval of the c1 chart from `from` (inclusive) up to the next row's start: a value
// (`high` unset), or the range the user chooses from.
struct C1Row {
    int lub;
    double from;
    Term low;
    std::optional<Term> high;
    bool none = false; // the chart has no value here
};

const std::vector<C1Row>& c1Chart() {
    static const std::vector<C1Row> chart{
        // 润滑不充分
        {1, 7.5, Q(7.5, 10, 15, 2.8, 3.5, 4.25), Q(7.5, 10, 15, 3.0, 3.8, 4.75)},
        {1, 15, Q(15, 20, 25, 4.25, 4.6, 4.65), Q(15, 20, 25, 4.75, 5.4, 5.8)},
        {1, 25, Q(25, 30, 35, 4.65, 4.55, 4.4), Q(25, 27.5, 30, 5.8, 5.9, 6.0)},
        {1, 30, Q(25, 30, 35, 4.65, 4.55, 4.4), Term::of(6.0)},
        {1, 35, Q(35, 40, 45, 4.4, 4.2, 4.0), Term::of(6.0)},
        {1, 45, Q(45, 50, 55, 4.0, 3.7, 3.45), Term::of(6.0)},
        {1, 55, Term::of(3.45), Term::of(6.0)},
        // 由设计结果确定
        {2, 7.5, Q(7.5, 10, 15, 3.0, 3.8, 4.75), std::nullopt},
        {2, 15, Q(15, 20, 25, 4.75, 5.4, 5.8), std::nullopt},
        {2, 25, Q(25, 27.5, 30, 5.8, 5.9, 6.0), std::nullopt},
        {2, 30, Term::of(6.0), std::nullopt},
        // 良好的润滑
        {3, 7.5, Q(7.5, 10, 15, 3.0, 3.8, 4.75), Q(7.5, 10, 15, 3.0, 3.9, 5.3)},
        {3, 15, Q(15, 20, 25, 4.75, 5.4, 5.8), Q(15, 20, 25, 5.3, 6.25, 7.05)},
        {3, 25, Q(25, 27.5, 30, 5.8, 5.9, 6.0), Q(25, 30, 35, 7.05, 7.7, 8.05)},
        {3, 30, Term::of(6.0), Q(25, 30, 35, 7.05, 7.7, 8.05)},
        {3, 35, Term::of(6.0), Q(35, 40, 45, 8.05, 8.4, 8.6)},
        {3, 45, Term::of(6.0), Term::of(8.7)},
        {3, 55, Term::of(0), std::nullopt, true},
    };
    return chart;
}

} // namespace

WearCoef WearCoefC1(int lubCond, double pr) {
    if (lubCond == 0) {
        return {pr < 30 ? std::sqrt((pr + 1.25) / 20) - 0.25 : 1.0, std::nullopt};
    }
    if (pr < 7.5) {
        return {Q(0, 5, 7.5, 0, 2.15, 3.0).at(pr), std::nullopt};
    }
    const int lub = lubCond == 1 || lubCond == 2 ? lubCond : 3;
    const C1Row* found = nullptr;
    for (const C1Row& row : c1Chart()) {
        if (row.lub == lub && pr >= row.from) {
            found = &row;
        }
    }
    if (!found || found->none) {
        return {};
    }
    if (!found->high) {
        return {found->low.at(pr), std::nullopt};
    }
    return {std::nullopt, std::pair{found->low.at(pr), found->high->at(pr)}};
}

std::optional<double> PitchCoefC2(double p) {
    static constexpr std::array<std::pair<int, double>, 10> kChart{{{9, 1.48},
                                                                    {12, 1.44},
                                                                    {15, 1.39},
                                                                    {19, 1.34},
                                                                    {25, 1.27},
                                                                    {31, 1.23},
                                                                    {38, 1.19},
                                                                    {44, 1.15},
                                                                    {50, 1.11},
                                                                    {63, 1.03}}};
    const double whole = std::trunc(p);
    for (const auto& [pitch, c2] : kChart) {
        if (whole == pitch) {
            return c2;
        }
    }
    return std::nullopt;
}

namespace {

struct C3Row {
    int z1; // 11 stands for 11 teeth or fewer
    double from;
    Term c3;
};

const std::vector<C3Row>& c3Chart() {
    static const std::vector<C3Row> chart{
        {11, 0, Q(0.1, 0.16, 0.25, 0.916, 0.914, 0.91)},
        {11, 0.25, Q(0.25, 0.4, 0.63, 0.91, 0.906, 0.901)},
        {11, 0.63, Q(0.63, 1, 1.6, 0.901, 0.893, 0.883)},
        {11, 1.6, Q(1.6, 2.5, 4, 0.883, 0.87, 0.854)},
        {11, 4, Q(4, 6.3, 10.4, 0.854, 0.832, 0.8)},
        {12, 0, Q(0.1, 0.16, 0.25, 0.947, 0.944, 0.94)},
        {12, 0.25, Q(0.25, 0.4, 0.63, 0.94, 0.936, 0.93)},
        {12, 0.63, Q(0.63, 1, 1.6, 0.93, 0.924, 0.916)},
        {12, 1.6, Q(1.6, 2.5, 4, 0.916, 0.905, 0.892)},
        {12, 4, Q(4, 6.3, 10, 0.892, 0.874, 0.853)},
        {12, 10, Q(10, 16, 25, 0.853, 0.828, 0.8)},
        {13, 0, Q(0.1, 0.16, 0.25, 0.97, 0.967, 0.964)},
        {13, 0.25, Q(0.25, 0.4, 0.63, 0.964, 0.96, 0.956)},
        {13, 0.63, Q(0.63, 1, 1.6, 0.956, 0.95, 0.943)},
        {13, 1.6, Q(1.6, 2.5, 4, 0.943, 0.934, 0.923)},
        {13, 4, Q(4, 6.3, 10, 0.923, 0.909, 0.89)},
        {13, 10, Q(10, 16, 25, 0.89, 0.87, 0.848)},
        {13, 25, Q(25, 31.5, 40, 0.848, 0.834, 0.813)},
        {14, 0, Q(0.1, 0.16, 0.25, 0.98, 0.979, 0.978)},
        {14, 0.25, Q(0.25, 0.4, 0.63, 0.978, 0.976, 0.974)},
        {14, 0.63, Q(0.63, 1, 1.6, 0.974, 0.97, 0.965)},
        {14, 1.6, Q(1.6, 2.5, 4, 0.965, 0.957, 0.947)},
        {14, 4, Q(4, 6.3, 10, 0.947, 0.935, 0.92)},
        {14, 10, Q(10, 16, 25, 0.92, 0.902, 0.89)},
        {14, 25, Q(25, 31.5, 40, 0.89, 0.869, 0.858)},
        {15, 0, Term::of(0.99)},
        {15, 0.5, Q(0.5, 0.8, 1.25, 0.99, 0.988, 0.984)},
        {15, 1.25, Q(1.25, 2, 3.15, 0.984, 0.98, 0.974)},
        {15, 3.15, Q(3.15, 5, 8, 0.974, 0.964, 0.951)},
        {15, 8, Q(8, 12.5, 20, 0.951, 0.937, 0.92)},
        {15, 20, Q(20, 31.5, 40, 0.92, 0.9, 0.89)},
        {16, 0, Term::of(0.99)},
        {16, 1.25, Q(1.25, 2, 3.15, 0.99, 0.988, 0.986)},
        {16, 3.15, Q(3.15, 5, 8, 0.986, 0.982, 0.977)},
        {16, 8, Q(8, 12.5, 20, 0.977, 0.969, 0.958)},
        {16, 20, Q(20, 31.5, 40, 0.958, 0.951, 0.935)},
        {17, 0, Term::of(1.0)},
        {17, 1.6, Q(1.6, 2.5, 4, 1.0, 0.998, 0.996)},
        {17, 4, Q(4, 6.3, 10, 0.996, 0.994, 0.989)},
        {17, 10, Q(10, 16, 25, 0.989, 0.982, 0.973)},
        {17, 25, Q(25, 31.5, 40, 0.973, 0.967, 0.96)},
        {18, 0, Term::of(1.0)},
        {18, 10, Q(10, 16, 25, 1.0, 0.997, 0.992)},
        {18, 25, Q(25, 31.5, 40, 0.992, 0.987, 0.98)},
    };
    return chart;
}

} // namespace

double SpeedToothCoefC3(double z1, double v) {
    const int key = z1 <= 11 ? 11 : static_cast<int>(std::round(z1));
    if (z1 > 11 && (z1 != std::round(z1) || key > 18)) {
        return 1.0;
    }
    const C3Row* found = nullptr;
    for (const C3Row& row : c3Chart()) {
        // The first interval also takes speeds below its start.
        if (row.z1 == key && (v >= row.from || (!found && row.from == 0))) {
            found = &row;
        }
    }
    return found ? found->c3.at(v) : 1.0;
}

double wearLife(double K, double pr, double Lp, double v, double z1, double i, double elongation) {
    return std::pow(K / pr, 3) * 91500 * Lp / v * z1 * i / (i + 1) * elongation;
}

double allowedPressure(double K, double T, double Lp, double v, double z1, double i,
                       double elongation) {
    const double X = T * v * (i + 1) / (91500 * Lp * z1 * i * elongation);
    return K / std::cbrt(X);
}

} // namespace zorvane::roller
