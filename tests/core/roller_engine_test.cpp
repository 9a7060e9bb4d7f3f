#include "core/roller/roller_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace zorvane::roller {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(RollerEngine, ToothFactorPicksRowAndColumn) {
    const double cases[][4] = {
        // z1, n1, nPeak, Kz
        {9, 100, 200, 0.446},
        {9, 200, 200, 0.326}, // first row; n1 = nPeak takes column B
        {19, 100, 200, 1.0},
        {19, 300, 200, 1.0},
        {20, 300, 200, 1.08},
        {25, 100, 200, 1.34},
        {25, 200, 200, 1.51}, // last row
        {26, 1799, 100, 1.34},
        {30, 1500, 9000, 1.34}, // above it 1800 r/min replaces nPeak
        {26, 1800, 5000, 1.51},
        {8, 100, 200, std::pow(8.0 / 19.0, 1.08)}, // below it the formulas continue the table
        {8, 300, 200, std::pow(8.0 / 19.0, 1.5)},
        {0, 100, 200, 0.0}, // no teeth, no factor
        {kNaN, 100, 200, 0.0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(RollerEngine::ToothFactor(c[0], c[1], c[2]), c[3], 1e-12)
            << "z1 " << c[0] << " n1 " << c[1] << " nPeak " << c[2];
    }
}

TEST(RollerEngine, DesignPower) {
    const double cases[][7] = {
        // z1, n1, nPeak, KA, P, Kp, Pd (NaN: not computed, Pd keeps its value)
        {19, 1000, 500, 1.3, 4.0, 1.7, 1.3 * 4.0 / 1.7},
        {12, 2000, 2000, 1.0, 4.0, 2.5, 4.0 / (0.502 * 2.5)},
        {30, 1500, 100, 1.2, 10.0, 1.0, 12.0 / 1.34},
        {19, 1000, 500, 1.0, 4.0, 0.0, kNaN}, // zero-filled Kp
        {0, 1000, 500, 1.0, 4.0, 1.0, kNaN},
    };
    for (const auto& c : cases) {
        RollerEngine design;
        design.SetValue(RollerField::z1, c[0]);
        design.SetValue(RollerField::n1, c[1]);
        design.SetValue(RollerField::KA, c[3]);
        design.SetValue(RollerField::Power, c[4]);
        design.SetValue(RollerField::Kp, c[5]);
        design.SetValue(RollerField::Pd, 7.5);
        EXPECT_EQ(design.CalcDesignPower(c[2]), !std::isnan(c[6])) << "z1 " << c[0];
        EXPECT_DOUBLE_EQ(design.record().getDouble(RollerField::Pd), std::isnan(c[6]) ? 7.5 : c[6]);
    }
}

TEST(RollerEngine, MarginsAgainstTheRatings) {
    for (const double p : {12.7, 38.1, 76.2}) {
        for (const double n : {50.0, 1000.0, 3000.0}) {
            const double plate = 0.003 * std::pow(19.0, 1.08) * std::pow(n, 0.9) *
                                 std::pow(p / 25.4, 3 - 0.0028 * p);
            const double roller = 950.0 * std::pow(19.0, 1.5) * std::pow(p, 0.8) / std::pow(n, 1.5);
            EXPECT_NEAR(RollerEngine::PlateMargin(p, n, plate), 0.0, 1e-6) << p << " " << n;
            EXPECT_NEAR(RollerEngine::RollerMargin(p, n, 0.1 * roller), -1.0, 1e-9)
                << p << " " << n;
        }
    }
    // 12.7 mm at 1000 r/min is rated about 4.63 kW (plate) and 19.0 kW (roller); at 3000 r/min
    // 12.7 mm fails on the roller rating (about 3.66 kW) while 15.875 mm carries 4 kW.
    EXPECT_LT(RollerEngine::PlateMargin(12.7, 1000, 4.6), 0.0);
    EXPECT_GT(RollerEngine::PlateMargin(12.7, 1000, 4.7), 0.0);
    EXPECT_LT(RollerEngine::RollerMargin(12.7, 1000, 18.9), 0.0);
    EXPECT_GT(RollerEngine::RollerMargin(12.7, 1000, 19.1), 0.0);
    EXPECT_GT(RollerEngine::RollerMargin(12.7, 3000, 4.0), 0.0);
    EXPECT_LT(RollerEngine::PlateMargin(15.875, 3000, 4.0), 0.0);
    EXPECT_LT(RollerEngine::RollerMargin(15.875, 3000, 4.0), 0.0);
}

TEST(RollerEngine, MarginsOfUnusableArguments) {
    EXPECT_EQ(RollerEngine::PlateMargin(12.7, 1000, 0.0), -kInf);
    EXPECT_EQ(RollerEngine::RollerMargin(12.7, 1000, 0.0), -kInf);
    const double cases[][3] = {{0, 1000, 4}, {12.7, 0, 4}, {12.7, 1000, -4}, {12.7, 1000, kNaN}};
    for (const auto& c : cases) {
        EXPECT_EQ(RollerEngine::PlateMargin(c[0], c[1], c[2]), kInf) << c[0] << " " << c[1];
        EXPECT_EQ(RollerEngine::RollerMargin(c[0], c[1], c[2]), kInf) << c[0] << " " << c[1];
    }
}

TEST(RollerEngine, PitchBySpeedRowsAndLifeCheck) {
    struct Case {
        double n;
        double p;
        const char* chainNo;
        bool reduced; // asks for the life check
    };
    const Case cases[] = {
        {2600.5, 12.7, "08A", true}, {2600, 15.875, "10A", true}, {2000, 19.05, "12A", true},
        {1000, 38.1, "24A", true},   {420, 63.5, "40A", true},    {220.5, 63.5, "40A", true},
        {220, 76.2, "48A", false},   {kNaN, 76.2, "48A", false},
    };
    for (const Case& c : cases) {
        for (const int before : {kLifeCheckNone, kLifeCheckRequired}) {
            RollerEngine design;
            int needLifeCheck = before;
            const RollerPitchChoice choice = design.PitchBySpeed(c.n, needLifeCheck);
            EXPECT_EQ(choice.p, c.p) << "n " << c.n;
            EXPECT_EQ(choice.chainNo, c.chainNo) << "n " << c.n;
            EXPECT_EQ(design.record().getDouble(RollerField::p), c.p) << "n " << c.n;
            EXPECT_EQ(design.record().getText(RollerField::ChainNo), std::string(c.chainNo));
            EXPECT_EQ(needLifeCheck, c.reduced ? kLifeCheckRequired : before) << "n " << c.n;
        }
    }
}

} // namespace
} // namespace zorvane::roller
