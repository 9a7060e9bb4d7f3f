#include "core/text/number_text.h"
#include "core/toothed/toothed_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace zorvane::toothed {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Rows of the reference table dkz.
const std::vector<ToothedKzRow> kDkz{{17, 0.77},  {19, 0.875}, {21, 0.981}, {23, 1.089},
                                     {25, 1.199}, {27, 1.309}, {29, 1.421}, {31, 1.534},
                                     {33, 1.649}, {35, 1.764}, {37, 1.88}};

TEST(ToothedEngine, LogInterp3AtItsNodes) {
    const double x[] = {80, 150, 300};
    const double y[] = {0.23, 0.4, 0.7};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(ToothedEngine::LogInterp3(x[0], x[1], x[2], y[0], y[1], y[2], x[k]), y[k],
                    1e-12);
    }
    // A power law is a line in log-log coordinates, so it is reproduced between the nodes.
    EXPECT_NEAR(ToothedEngine::LogInterp3(1, 10, 100, 2, 20, 200, 42), 84, 1e-10);
    EXPECT_TRUE(std::isnan(ToothedEngine::LogInterp3(1, 1, 100, 2, 20, 200, 42)));
    EXPECT_TRUE(std::isnan(ToothedEngine::LogInterp3(1, 10, 100, 2, 20, 200, kNaN)));
}

TEST(ToothedEngine, RatedPowerPerWidthRanges) {
    const double cases[][3] = {
        // n, p, P0 (-1: speed not rated for the pitch, 0: pitch not tabled)
        {79, 38.1, -1},   {80, 38.1, 0.23},     {300, 38.1, 0.7},     {1000, 38.1, 1.47},
        {1225, 38.1, -1}, {1000, 31.75, 1.176}, {6000, 9.525, 0.235}, {6001, 9.525, -1},
        {100, 9.525, -1}, {115, 9.525, 0.02},   {1000, 44.45, 0},     {kNaN, 12.7, -1},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ToothedEngine::RatedPowerPerWidth(c[0], c[1]), c[2], 1e-12)
            << "n " << c[0] << " p " << c[1];
    }
    const double between = ToothedEngine::RatedPowerPerWidth(950, 31.75);
    EXPECT_GT(between, 1.11);
    EXPECT_LT(between, 1.176);

    // Only a usable rating is stored; an untabled pitch sends the user back like an unrated speed.
    for (const double p : {38.1, 44.45}) {
        ToothedEngine design;
        design.SetValue(ToothedField::n1, 1000);
        design.SetValue(ToothedField::p, p);
        design.SetValue(ToothedField::P0, 9);
        const auto p0 = design.CalcRatedPower();
        EXPECT_EQ(p0.has_value(), p == 38.1);
        EXPECT_NEAR(design.record().getDouble(ToothedField::P0), p0 ? 1.47 : 9, 1e-12);
    }
}

TEST(ToothedEngine, LubricationBoundaries) {
    ToothedEngine design;
    design.SetValue(ToothedField::n1, 1000);
    design.SetValue(ToothedField::P0, 0.5);
    EXPECT_NEAR(design.LubBoundary("1") - design.LubBoundary("2"), 0.479, 1e-12);
    // On line 1: P0 n1^0.97 = 10^2.503.
    design.SetValue(ToothedField::P0, std::pow(10.0, 2.503) / std::pow(1000.0, 0.97));
    EXPECT_NEAR(design.LubBoundary("1"), 0.0, 1e-12);
    design.SetValue(ToothedField::P0, 0.5);
    EXPECT_EQ(design.LubricationMethod(), "甩油盘或油泵润滑");
    design.SetValue(ToothedField::P0, 0.3);
    EXPECT_EQ(design.LubricationMethod(), "油杯油刷飞溅或浸油润滑");
    design.SetValue(ToothedField::P0, 1.5);
    EXPECT_EQ(design.LubricationMethod(), "油泵润滑");
}

TEST(ToothedEngine, ToothCoefficientAndDesignPower) {
    const double cases[][2] = {
        {16, 0.77}, {17, 0.77}, {18, (0.77 + 0.875) / 2}, {21, 0.981}, {36, (1.764 + 1.88) / 2},
        {37, 1.88}, {38, 1.88},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ToothedEngine::ToothCoefficient(c[0], kDkz).value_or(-1), c[1], 1e-12)
            << "z1 " << c[0];
    }
    // An odd count the table lacks is interpolated; a table that does not bracket z1 gives none.
    const std::vector<ToothedKzRow> gappy{{17, 0.77}, {21, 0.981}};
    EXPECT_NEAR(ToothedEngine::ToothCoefficient(19, gappy).value_or(-1), (0.77 + 0.981) / 2, 1e-12);
    EXPECT_FALSE(ToothedEngine::ToothCoefficient(23, gappy));
    EXPECT_FALSE(ToothedEngine::ToothCoefficient(kNaN, kDkz));

    ToothedEngine design;
    design.SetValue(ToothedField::z1, 21);
    design.SetValue(ToothedField::KA, 1.2);
    design.SetValue(ToothedField::Power, 10);
    ASSERT_TRUE(design.CalcDesignPower(kDkz));
    EXPECT_DOUBLE_EQ(design.record().getDouble(ToothedField::Kz), 0.981);
    EXPECT_DOUBLE_EQ(design.record().getDouble(ToothedField::Pd), 12 / 0.981);
    design.SetValue(ToothedField::z1, 23);
    EXPECT_FALSE(design.CalcDesignPower(gappy));
    EXPECT_DOUBLE_EQ(design.record().getDouble(ToothedField::Kz), 0.981);
}

TEST(ToothedEngine, PitchChoicesBySpeed) {
    using List = std::vector<std::string_view>;
    EXPECT_EQ(ToothedEngine::PitchChoices(900), (List{"31.75", "25.4"}));
    EXPECT_EQ(ToothedEngine::PitchChoices(1000), (List{"31.75", "25.4"}));
    EXPECT_EQ(ToothedEngine::PitchChoices(5000), (List{"9.525"}));
    EXPECT_EQ(ToothedEngine::PitchChoices(700), (List{"38.1", "31.75"}));
    EXPECT_EQ(ToothedEngine::PitchChoices(2000), (List{"15.875", "12.7"}));
    // At 500 r/min or less the largest pitch is offered, so there is always one to confirm.
    EXPECT_EQ(ToothedEngine::PitchChoices(500), (List{"38.1"}));
    EXPECT_EQ(ToothedEngine::PitchChoices(kNaN), (List{"38.1"}));
    // Within the rated speeds every pitch offered has a rating at that speed.
    for (double n = 80; n <= 6000; n += 5) {
        for (const std::string_view pitch : ToothedEngine::PitchChoices(n)) {
            const double p = text::parseDecimal(pitch).value();
            EXPECT_GT(ToothedEngine::RatedPowerPerWidth(n, p), 0) << "n " << n << " p " << p;
        }
    }
}

TEST(ToothedEngine, WidthChoicesAboveTheRequiredWidth) {
    const std::vector<ToothedPitchRow> dc{{9.525, 1}, {12.7, 2}, {15.875, 3}};
    const std::vector<ToothedWidthRow> dcChild{
        {1, 38.1}, {1, 50.8}, {2, 25.4}, {2, 31.75}, {2, 38.1}, {2, 44.45}, {2, 50.8}, {3, 50.8},
    };
    const double b = ToothedEngine::RequiredWidth(10, 0.27);
    EXPECT_NEAR(b, 37.037, 5e-4);
    EXPECT_EQ(ToothedEngine::WidthChoices(dc, dcChild, 12.7, b), (std::vector{38.1, 44.45, 50.8}));
    // A width equal to the required one is not wider (10 / (10 / 38.1) reads 38.1).
    EXPECT_EQ(
        ToothedEngine::WidthChoices(dc, dcChild, 12.7, ToothedEngine::RequiredWidth(10, 10 / 38.1)),
        (std::vector{44.45, 50.8}));
    EXPECT_TRUE(ToothedEngine::WidthChoices(dc, dcChild, 19.05, b).empty()); // pitch not in Dc
    EXPECT_TRUE(ToothedEngine::WidthChoices(dc, dcChild, 12.7, ToothedEngine::RequiredWidth(10, 0))
                    .empty());
}

TEST(ToothedEngine, SprocketSizes) {
    const auto rows = ToothedEngine::SprocketSizes(12.7, 21, 63);
    const std::vector<std::string> small{"60.00", "85.21", "84.26", "4.76",  "17.14", "21.43",
                                         "12.86", "6.99",  "1.02",  "69.77", "72.01"};
    const std::vector<std::string> large{"60.00", "254.79", "254.47", "4.76",   "5.71",  "27.14",
                                         "24.29", "6.99",   "1.02",   "238.90", "241.01"};
    ASSERT_EQ(rows.size(), small.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
        EXPECT_EQ(text::fixed(rows[k].smallValue, 10, 2), small[k]) << rows[k].item;
        EXPECT_EQ(text::fixed(rows[k].largeValue, 10, 2), large[k]) << rows[k].item;
    }
    EXPECT_EQ(rows.front().item, "齿楔角");
    EXPECT_EQ(rows.back().item, "接触终止圆直径");
}

} // namespace
} // namespace zorvane::toothed
