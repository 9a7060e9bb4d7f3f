#include "core/roller/roller_formulas.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorvane::roller {
namespace {

TEST(RollerSpeed, SpeedClassQuestionsHaveStrictBounds) {
    const double v = 19 * 960 * 15.875 / 60000.0; // 4.826 m/s
    EXPECT_EQ(speedClassAdvice(0, 0, v), SpeedAdvice::ReduceTeeth);
    EXPECT_EQ(speedClassAdvice(1, 1, v), SpeedAdvice::None);
    // The first list item means the low class whatever the stored class says.
    EXPECT_EQ(speedClassAdvice(0, 1, v), SpeedAdvice::ReduceTeeth);
    EXPECT_EQ(speedClassAdvice(2, 2, 8.0), SpeedAdvice::None);
    EXPECT_EQ(speedClassAdvice(2, 2, 7.999), SpeedAdvice::IncreaseTeeth);
    EXPECT_EQ(speedClassAdvice(1, 1, 3.0), SpeedAdvice::None);
    EXPECT_EQ(speedClassAdvice(1, 0, 3.0), SpeedAdvice::None);
    EXPECT_EQ(speedClassAdvice(1, 0, 0.5), SpeedAdvice::IncreaseTeeth);
    EXPECT_EQ(speedClassAdvice(3, 3, 100), SpeedAdvice::None);
}

TEST(RollerSpeed, LubricationByTheFirstBoundaryBelow) {
    EXPECT_NEAR(LubBoundary(1, 12.7, 0.5), 0.5 - 0.6749, 1e-3);
    EXPECT_EQ(lubricationMethod(12.7, 0.5), "油刷或油壶人工定期润滑");
    // Boundary 2 at p = 12.7: log v < 2.644 − 1.85·log 12.7, v below about 3.98 m/s.
    EXPECT_EQ(lubricationMethod(12.7, 3.9), "滴油润滑");
    EXPECT_EQ(lubricationMethod(12.7, 4.1), "油浴或飞溅润滑");
    EXPECT_EQ(lubricationMethod(12.7, 30), "油泵压力喷油润滑");
}

TEST(RollerCentreDistance, ActualDistanceInWholeMillimetres) {
    EXPECT_EQ(actualCentreDistance(1000.4, 0.003), 997);
    EXPECT_EQ(actualCentreDistance(1000.7, 0.003), 998);
}

TEST(RollerLife, FatigueLifeByTheLimitingRating) {
    const auto plate = fatigueLife(19, 1000, 12.7, 1, 5, 1, 118);
    EXPECT_NEAR(plate.platePower, 4.63, 0.01);
    EXPECT_NEAR(plate.rollerPower, 19.0, 0.05);
    EXPECT_NEAR(plate.hours, 468, 1);
    EXPECT_FALSE(plate.belowRatings);

    const auto roller = fatigueLife(19, 3000, 12.7, 1, 5, 1, 100);
    EXPECT_NEAR(roller.platePower, 12.45, 0.01);
    EXPECT_NEAR(roller.rollerPower, 3.66, 0.01);
    EXPECT_NEAR(roller.hours, 150 * std::pow(roller.rollerPower / 5, 2) * 100, 1e-9);

    // Below both ratings the life is a number of hours, the shorter of the two formulas.
    const auto light = fatigueLife(19, 1000, 12.7, 1, 2, 1, 118);
    EXPECT_TRUE(light.belowRatings);
    const double plateLife = 1e5 / 19000 * std::pow(light.platePower / 2, 3.71) * 118;
    const double rollerLife = 150 * std::pow(light.rollerPower / 2, 2) * 118;
    EXPECT_NEAR(light.hours, std::min(plateLife, rollerLife), 1e-6);
    EXPECT_GT(light.hours, plate.hours);
}

TEST(RollerLife, WearCoefficients) {
    EXPECT_NEAR(*WearCoefC1(2, 10).value, 3.8, 1e-12);
    const auto asked = WearCoefC1(1, 10);
    ASSERT_TRUE(asked.range);
    EXPECT_NEAR(asked.range->first, 3.5, 1e-12);
    EXPECT_NEAR(asked.range->second, 3.8, 1e-12);
    EXPECT_NEAR(*WearCoefC1(0, 10).value, std::sqrt(11.25 / 20) - 0.25, 1e-12);
    EXPECT_EQ(*WearCoefC1(0, 30).value, 1.0);
    EXPECT_NEAR(*WearCoefC1(3, 5).value, 2.15, 1e-12);
    EXPECT_EQ(*WearCoefC1(2, 40).value, 6.0);
    EXPECT_EQ(WearCoefC1(3, 50).range->second, 8.7);
    // An unknown condition counts as good lubrication, where the chart ends at 55 MPa.
    EXPECT_FALSE(WearCoefC1(7, 60).value);
    EXPECT_FALSE(WearCoefC1(3, 60).range);
    EXPECT_EQ(WearCoefC1(1, 60).range->first, 3.45);

    EXPECT_EQ(*PitchCoefC2(12.7), 1.44);
    EXPECT_EQ(*PitchCoefC2(15.875), 1.39);
    EXPECT_FALSE(PitchCoefC2(76.2));

    EXPECT_EQ(SpeedToothCoefC3(19, 0.3), 1.0);
    EXPECT_EQ(SpeedToothCoefC3(19, 30), 1.0);
    EXPECT_EQ(SpeedToothCoefC3(15, 0.3), 0.99);
    EXPECT_NEAR(SpeedToothCoefC3(12, 1.0), 0.924, 1e-12);
    EXPECT_NEAR(SpeedToothCoefC3(9, 10.4), 0.8, 1e-12);
    EXPECT_NEAR(SpeedToothCoefC3(18, 16), 0.997, 1e-12);
    EXPECT_NEAR(SpeedToothCoefC3(13, 0.05), Interp3(0.1, 0.16, 0.25, 0.97, 0.967, 0.964, 0.05),
                1e-12);
}

TEST(RollerLife, WearLifeAndAllowedPressure) {
    const double K = 3.8 * 1.44 * 1.0;
    EXPECT_NEAR(wearLife(K, 10, 118, 4, 19, 3, 0.03), 189069, 50);
    EXPECT_NEAR(allowedPressure(K, 15000, 118, 4, 19, 3, 0.03), 23.3, 0.05);
    EXPECT_NEAR(Interp3(1, 2, 3, 1, 4, 9, 4), 16, 1e-12);
}

TEST(RollerSprocket, StandardForm) {
    const auto rows = sprocketSizes(15.875, 21, 64, 10.16, 18.11, 15.09, false);
    ASSERT_EQ(rows.size(), 9u);
    const std::vector<std::tuple<const char*, double, double>> expected{
        {"排距", 18.11, 18.11},
        {"分度圆直径", 106.51, 323.53},
        {"齿顶圆最大直径", 116.20, 0},
        {"齿顶圆最小直径", 111.02, 0},
        {"分度圆最大舷齿高", 5.45, 0},
        {"分度圆最小舷齿高", 2.86, 2.86},
        {"齿根圆直径", 96.35, 313.37},
        {"最大齿根距离", 96.06, 313.37},
        {"齿侧凸缘或排间槽直径", 88.87, 0}};
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto& [item, small, large] = expected[k];
        EXPECT_EQ(rows[k].item, item);
        EXPECT_NEAR(rows[k].small, small, 0.005) << item;
        if (large != 0) {
            EXPECT_NEAR(rows[k].large, large, 0.005) << item;
        }
    }
}

TEST(RollerSprocket, ThreeArcForm) {
    const auto rows = sprocketSizes(15.875, 21, 64, 10.16, 18.11, 15.09, true);
    ASSERT_EQ(rows.size(), 7u);
    EXPECT_EQ(rows[2].item, "齿顶圆直径");
    EXPECT_NEAR(rows[2].small, 113.90, 0.005);
    EXPECT_EQ(rows[3].item, "分度圆舷齿高");
    EXPECT_NEAR(rows[3].small, 4.29, 0.005);
    EXPECT_EQ(rows[4].item, "齿根圆直径");
}

} // namespace
} // namespace zorvane::roller
