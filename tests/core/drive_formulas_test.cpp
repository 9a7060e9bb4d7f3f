#include "core/design/drive_formulas.h"

#include <gtest/gtest.h>

namespace zorvane::design {
namespace {

TEST(DriveFormulas, ChainSpeed) {
    EXPECT_NEAR(chainSpeed(19, 960, 15.875), 4.826, 5e-4);
}

TEST(DriveFormulas, RangeTextsByTheInitialConditions) {
    A0RangeInputs in;
    in.z1 = 19;
    in.i = 3;
    in.p = 12.7;
    in.adjustable = true;
    auto view = a0Range(in);
    EXPECT_EQ(view.rangeText,
              "本设计中,a0在理论上的取值范围为:(15.20～80)p,a0的最佳取值范围为:(30～50)p");
    EXPECT_EQ(view.defaultText, "40");
    EXPECT_EQ(view.lower, 15.2);
    EXPECT_EQ(view.upper, 80);
    EXPECT_EQ(view.givenText, "");

    in.hasTensioner = true;
    EXPECT_EQ(a0Range(in).rangeText, "本设计中,a0在理论上的取值范围为:(15.20～80)p,a0还可以大于80p,"
                                     "a0的最佳取值范围为:(30～50)p");

    in.hasTensioner = false;
    in.pulsating = true;
    view = a0Range(in);
    EXPECT_EQ(view.rangeText,
              "本设计中,a0在理论上的取值范围为:(15.20～80)p,a0的最佳取值范围为:(15.20～25)p");
    EXPECT_EQ(view.defaultText, "20"); // round(20.1)

    in.adjustable = false;
    view = a0Range(in);
    EXPECT_EQ(view.rangeText,
              "本设计中,a0在理论上的取值范围为:(15.20～30)p,a0的最佳取值范围为:(15.20～25)p");
    EXPECT_EQ(view.upper, 30);

    in.pulsating = false;
    view = a0Range(in);
    EXPECT_EQ(view.rangeText, "本设计中,a0在理论上的取值范围为:(15.20～30)p");
    EXPECT_EQ(view.defaultText, "23"); // round(22.6)

    // From i = 4 on the smallest distance follows the other formula.
    EXPECT_NEAR(a0MinPitches(19, 4), 0.33 * 19 * 3, 1e-12);
}

TEST(DriveFormulas, GivenInitialValueMovesByItsPercentage) {
    A0RangeInputs in;
    in.z1 = 19;
    in.i = 3;
    in.p = 12.7;
    in.adjustable = true;
    in.hasInitA0 = true;
    in.initA0 = 508; // 40 pitches
    in.a0Tol = 0.05;
    in.a0Dir = "上调或下调";
    auto view = a0Range(in);
    EXPECT_EQ(view.givenText, "本设计中,a0的初值为40.000p,允许上调或下调2.000p.");
    EXPECT_EQ(view.lower, 38);
    EXPECT_EQ(view.upper, 42);
    EXPECT_EQ(view.defaultText, "40.000");

    in.a0Dir = "上调";
    view = a0Range(in);
    EXPECT_EQ(view.givenText, "本设计中,a0的初值为40.000p,允许上调至42.000p.");
    EXPECT_EQ(view.lower, 40);
    EXPECT_EQ(view.defaultText, "41.000");

    in.a0Dir = "下调";
    view = a0Range(in);
    EXPECT_EQ(view.givenText, "本设计中,a0的初值为40.000p,允许下调至38.000p.");
    EXPECT_EQ(view.upper, 40);

    EXPECT_EQ(a0OutOfRangeText(15.2, 80), "中心距超出范围，其值应在15.200p≤a0≤80.000p范围内!");
}

TEST(DriveFormulas, LinksDistancesAndFactor) {
    EXPECT_NEAR(linkCountExact(40, 19, 57), 118.914, 5e-4);
    EXPECT_NEAR(theoreticalCentreDistance(100, 21, 21, 12.7, {}), 501.65, 1e-9);

    const std::vector<KaRow> rows{{1.05, 0.19245}, {2.0, 0.23}, {3.0, 0.24}};
    EXPECT_EQ(centreDistanceFactor(1.0, rows), 0.19245);
    EXPECT_EQ(centreDistanceFactor(31, rows), 0.25);
    EXPECT_NEAR(centreDistanceFactor(2.5, rows), 0.235, 1e-12);
    // Beyond the last row the factor runs on towards 0.25 at r = 30.
    EXPECT_NEAR(centreDistanceFactor(16.5, rows), 0.245, 1e-12);
    EXPECT_EQ(centreDistanceFactor(30, rows), 0.25);

    EXPECT_EQ(deltaAAdvice(true, true), "中心距可调,且有张紧,Δa可取较大值");
    EXPECT_EQ(deltaAAdvice(false, false), "中心距不可调,且无张紧装置,Δa应取较小值");
    EXPECT_EQ(deltaAAdvice(false, true), "中心距不可调,Δa应取较小的值");
    EXPECT_EQ(deltaAAdvice(true, false), "无张紧装置,Δa应取较小的值");
}

TEST(DriveFormulas, ToothedRangeKeepsTheUnroundedLowerEnd) {
    EXPECT_NEAR(a0MinPitches(21, 3.9), 20.58, 1e-12);
    EXPECT_NEAR(a0MinPitches(21, 4), 20.79, 1e-12);
    const std::string head = "本设计中,a0在理论上的取值范围为:(";
    struct Case {
        double z1, i;
        bool adjustable, tensioner, pulsating;
        std::string text, proposal;
        double highest;
    };
    const Case cases[] = {
        {21, 3.9, true, true, false, "20.58～80)p,a0还可以大于80p,a0的最佳取值范围为:(30～50)p",
         "40", 80},
        {21, 3.9, true, false, true, "20.58～80)p,a0的最佳取值范围为:(20.58～25)p", "23", 80},
        // A fixed distance under a pulsating load proposes the middle of the best range.
        {21, 3.9, false, false, true, "20.58～30)p,a0的最佳取值范围为:(20.58～25)p", "23", 30},
        {21, 3.9, false, true, true, "20.58～30)p", "25", 30},
        {21, 3.999, false, false, false, "21.00～30)p", "26", 30},
    };
    for (const Case& c : cases) {
        A0RangeInputs in;
        in.rules = A0Rules::Toothed;
        in.z1 = c.z1;
        in.i = c.i;
        in.p = 12.7;
        in.adjustable = c.adjustable;
        in.hasTensioner = c.tensioner;
        in.pulsating = c.pulsating;
        const A0RangeView out = a0Range(in);
        EXPECT_EQ(out.rangeText, head + c.text);
        EXPECT_EQ(out.defaultText, c.proposal) << c.text;
        EXPECT_EQ(out.lower, a0MinPitches(c.z1, c.i));
        EXPECT_EQ(out.upper, c.highest);
        in.rules = A0Rules::Roller;
        EXPECT_EQ(a0Range(in).lower, std::stod(c.text.substr(0, 5)));
    }
}

TEST(DriveFormulas, LinkCountRoundsUpOnlyAboveAHalf) {
    // Equal tooth counts: L' = 2·a0p + 21.
    EXPECT_NEAR(linkCountExact(49.75, 21, 21), 120.5, 1e-12);
    EXPECT_NEAR(linkCountExact(49.755, 21, 21), 120.51, 1e-12);
}

TEST(DriveFormulas, FactorBeforeTheFirstRow) {
    EXPECT_NEAR(centreDistanceFactor(1.525, {{2, 0.24}}), (0.19245 + 0.24) / 2, 1e-12);
    EXPECT_NEAR(centreDistanceFactor(20, {}), 0.19245 + (20 - 1.05) / 28.95 * (0.25 - 0.19245),
                1e-12);
    // Toothed worked numbers of the shaft force: KA = 1.2, Ft = 1000 N.
    EXPECT_NEAR(shaftForce(2, 0, 1000, 1.2), 1260, 1e-9);
    EXPECT_NEAR(shaftForce(0, 1.175, 1000, 1.2), 1410, 1e-9);
}

} // namespace
} // namespace zorvane::design
