#include <gtest/gtest.h>

#include <cmath>

#include "core/value_height.h"

namespace {

using core::HeightForm;
using core::Quantity;

TEST(ValueHeight, PlacesReadingTextsOnTheirScales) {
    constexpr auto Ph = Quantity::Ph, Mv = Quantity::Mv, Temp = Quantity::Temperature;
    constexpr auto Live = HeightForm::BaseLine, Mirror = HeightForm::Mirrored;
    const struct {
        Quantity quantity;
        HeightForm form;
        double max, min;
        const char* text;
        double y;
    } cases[] = {
        {Ph, Live, 14, 0, "7.000", 2500},        {Ph, Live, 14, 0, "14.000", 1000},
        {Ph, Live, 14, 0, "0.000", 4000},        {Ph, Live, 14, 0, "- . - - -", 900},
        {Ph, Live, 14, 0, "- - . - - -", 4000},  {Ph, Mirror, 14, 0, "- - . - - -", 7100},
        {Ph, Mirror, 14, 0, "- . - - -", 900},   {Mv, Mirror, 2000, 0, "1000.0", 2500},
        {Mv, Mirror, 2000, 0, "-1000.0", 5500},  {Mv, Mirror, 2000, 0, "-500", 4750},
        {Mv, Mirror, 2000, 0, "-2000.0", 7000},  {Mv, Mirror, 2000, 0, "- - - - . -", 7100},
        {Mv, Mirror, 2000, 0, "- - - . -", 900}, {Mv, Mirror, 2000, 100, "50.0", 4000},
        {Mv, Mirror, 2000, 100, "-50.0", 4000},  {Ph, Mirror, 10, 4, "3", 4000},
        {Ph, Mirror, 10, 4, "12", 900},          {Ph, Mirror, 10, 4, "7", 2500},
        {Temp, Live, 220, 0, "- . - - -", 4000},  // no dash texts: reads as 0
        {Temp, Live, 220, 0, "220.0", 1000},
    };
    for (const auto& c : cases) {
        const auto y =
            core::ValueHeight(core::PlotValue(c.text, c.quantity), {c.max, c.min}, c.form);
        ASSERT_TRUE(y.has_value()) << c.text;
        EXPECT_DOUBLE_EQ(*y, c.y) << c.text << " on " << c.min << ".." << c.max;
    }
}

TEST(ValueHeight, NoScaleWhenMaxEqualsMinAndFirstLivePointUnclamped) {
    EXPECT_FALSE(core::ValueHeight(5, {7, 7}, HeightForm::Mirrored).has_value());
    EXPECT_FALSE(core::ValueHeight(-5, {7, 7}, HeightForm::BaseLine).has_value());
    EXPECT_FALSE(core::UnclampedHeight(5, {7, 7}).has_value());
    EXPECT_FALSE(core::ValueHeight(5, {INFINITY, 0}, HeightForm::Mirrored).has_value());

    const double under = *core::UnclampedHeight(-18, {14, 0});
    EXPECT_NEAR(under, 4000 + 18 * 3000.0 / 14, 1e-9);
    EXPECT_EQ(core::ClampToBaseLineForm(under), 4000);
    EXPECT_EQ(core::ClampToBaseLineForm(*core::UnclampedHeight(18, {14, 0})), 900);
}

// The ends of any scale lie exactly on their lines, however small or large the scale.
TEST(ValueHeight, ScaleEndsLieOnTheirLines) {
    for (const core::ValueScale scale :
         {core::ValueScale{0.0002, 0.0001}, core::ValueScale{1e306, 0}, core::ValueScale{14, 0}}) {
        EXPECT_EQ(core::ValueHeight(scale.MaxValue, scale, HeightForm::BaseLine), 1000);
        EXPECT_EQ(core::ValueHeight(scale.MinValue, scale, HeightForm::BaseLine), 4000);
        EXPECT_EQ(core::ValueHeight(-scale.MaxValue, scale, HeightForm::Mirrored), 7000);
    }
}

TEST(ScaleLabelText, PlainDecimalWithoutTrailingZeros) {
    const std::pair<double, const char*> cases[] = {{14, "14"},
                                                    {0, "0"},
                                                    {-0.0, "0"},
                                                    {7.5, "7.5"},
                                                    {-1000, "-1000"},
                                                    {0.1, "0.1"},
                                                    {0.1 + 0.2, "0.3"},
                                                    {1.0 / 3, "0.333333333333333"},
                                                    {1e20, "100000000000000000000"},
                                                    {-1.5e-7, "-0.00000015"},
                                                    {123456789012345678.0, "123456789012346000"},
                                                    {NAN, ""}};
    for (const auto& [value, text] : cases) EXPECT_EQ(core::ScaleLabelText(value), text);

    const core::ScaleLabels mv = core::ScaleLabelTexts({2000, 100});
    EXPECT_EQ(mv.top + " " + mv.middle + " " + mv.base + " " + mv.lowMiddle + " " + mv.bottom,
              "2000 1050 100 -1050 -2000");
    // Halving a huge range must not overflow into an empty label.
    EXPECT_FALSE(core::ScaleLabelTexts({1.7e308, 1.7e308}).middle.empty());
}

}  // namespace
