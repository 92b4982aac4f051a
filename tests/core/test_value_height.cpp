#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <ostream>

#include "core/value_height.h"

namespace {

using core::HeightForm;
using core::Quantity;

struct HeightCase {
    const char* name;
    Quantity quantity;
    HeightForm form;
    double max;
    double min;
    const char* text;
    double y;
};

void PrintTo(const HeightCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.text << '"';
}

class ValueHeightTest : public testing::TestWithParam<HeightCase> {};

TEST_P(ValueHeightTest, PlacesTheReading) {
    const HeightCase& c = GetParam();
    const std::optional<double> y =
        core::ValueHeight(core::PlotValue(c.text, c.quantity), {c.max, c.min}, c.form);
    ASSERT_TRUE(y.has_value());
    EXPECT_DOUBLE_EQ(*y, c.y);
}

constexpr auto Ph = Quantity::Ph;
constexpr auto Mv = Quantity::Mv;
constexpr auto Temp = Quantity::Temperature;
constexpr auto Live = HeightForm::BaseLine;
constexpr auto Mirror = HeightForm::Mirrored;

INSTANTIATE_TEST_SUITE_P(
    Scales, ValueHeightTest,
    testing::Values(HeightCase{"phMiddle", Ph, Live, 14, 0, "7.000", 2500},
                    HeightCase{"phTop", Ph, Live, 14, 0, "14.000", 1000},
                    HeightCase{"phBase", Ph, Live, 14, 0, "0.000", 4000},
                    HeightCase{"phOver", Ph, Live, 14, 0, "- . - - -", 900},
                    HeightCase{"phUnderLive", Ph, Live, 14, 0, "- - . - - -", 4000},
                    HeightCase{"phUnderPlot", Ph, Mirror, 14, 0, "- - . - - -", 7100},
                    HeightCase{"phOverPlot", Ph, Mirror, 14, 0, "- . - - -", 900},
                    HeightCase{"mvPlus", Mv, Mirror, 2000, 0, "1000.0", 2500},
                    HeightCase{"mvMinus", Mv, Mirror, 2000, 0, "-1000.0", 5500},
                    HeightCase{"mvMinusHalf", Mv, Mirror, 2000, 0, "-500", 4750},
                    HeightCase{"mvBottom", Mv, Mirror, 2000, 0, "-2000.0", 7000},
                    HeightCase{"mvUnder", Mv, Mirror, 2000, 0, "- - - - . -", 7100},
                    HeightCase{"mvOver", Mv, Mirror, 2000, 0, "- - - . -", 900},
                    HeightCase{"mvSmallPlus", Mv, Mirror, 2000, 100, "50.0", 4000},
                    HeightCase{"mvSmallMinus", Mv, Mirror, 2000, 100, "-50.0", 4000},
                    HeightCase{"narrowBelow", Ph, Mirror, 10, 4, "3", 4000},
                    HeightCase{"narrowAbove", Ph, Mirror, 10, 4, "12", 900},
                    HeightCase{"narrowMiddle", Ph, Mirror, 10, 4, "7", 2500},
                    // Temperature has no dash texts: they read as 0.
                    HeightCase{"tempDashes", Temp, Live, 220, 0, "- . - - -", 4000},
                    HeightCase{"tempTop", Temp, Live, 220, 0, "220.0", 1000}),
    [](const auto& info) { return info.param.name; });

TEST(ValueHeight, NoScaleWhenMaxEqualsMin) {
    EXPECT_FALSE(core::ValueHeight(5, {7, 7}, HeightForm::Mirrored).has_value());
    EXPECT_FALSE(core::ValueHeight(-5, {7, 7}, HeightForm::BaseLine).has_value());
    EXPECT_FALSE(core::UnclampedHeight(5, {7, 7}).has_value());
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(core::ValueHeight(5, {inf, 0}, HeightForm::Mirrored).has_value());
}

TEST(ValueHeight, FirstLivePointIsUnclampedUntilDrawn) {
    const double over = *core::UnclampedHeight(18, {14, 0});
    const double under = *core::UnclampedHeight(-18, {14, 0});
    EXPECT_NEAR(over, 4000 - 18 * 3000.0 / 14, 1e-9);
    EXPECT_NEAR(under, 4000 + 18 * 3000.0 / 14, 1e-9);
    EXPECT_EQ(core::ClampToBaseLineForm(over), 900);
    EXPECT_EQ(core::ClampToBaseLineForm(under), 4000);
}

TEST(ScaleLabelText, PlainDecimalWithoutTrailingZeros) {
    const struct {
        double value;
        const char* text;
    } cases[] = {{14, "14"},
                 {7, "7"},
                 {0, "0"},
                 {-0.0, "0"},
                 {7.5, "7.5"},
                 {2000, "2000"},
                 {-1000, "-1000"},
                 {0.1, "0.1"},
                 {0.1 + 0.2, "0.3"},
                 {1.0 / 3, "0.333333333333333"},
                 {1e20, "100000000000000000000"},
                 {-1.5e-7, "-0.00000015"},
                 {123456789012345678.0, "123456789012346000"},
                 {std::nan(""), ""}};
    for (const auto& c : cases) EXPECT_EQ(core::ScaleLabelText(c.value), c.text) << c.text;
}

TEST(ScaleLabelTexts, MirroredLabelsAroundTheZeroLine) {
    const core::ScaleLabels mv = core::ScaleLabelTexts({2000, 0});
    EXPECT_EQ(mv.top + " " + mv.middle + " " + mv.base + " " + mv.lowMiddle + " " + mv.bottom,
              "2000 1000 0 -1000 -2000");
    const core::ScaleLabels shifted = core::ScaleLabelTexts({2000, 100});
    EXPECT_EQ(shifted.middle, "1050");
    EXPECT_EQ(shifted.lowMiddle, "-1050");
    // Halving a huge range must not overflow into an empty label.
    EXPECT_FALSE(core::ScaleLabelTexts({1.7e308, 1.7e308}).middle.empty());
}

}  // namespace
