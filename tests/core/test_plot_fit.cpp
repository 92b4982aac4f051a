#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/plot_fit.h"

namespace {

using core::Quantity;

core::RowTexts listOf(const std::vector<std::string>& values, const std::string& unit) {
    core::RowTexts rows;
    int number = 0;
    for (const std::string& value : values)
        rows.append(std::to_string(++number) + "\t24/03/05\t10:00:00\t" + value + "\t" + unit +
                    "\t" + value + "\t'C\tATC");
    return rows;
}

TEST(PlotFit, BoundsWidenToWholeStepsOfOneTwoOrFive) {
    const struct {
        double low, high;
        core::ValueBounds bounds;
    } cases[] = {
        {6.8, 7.3, {6.8, 7.3}},
        {6.83, 7.27, {6.8, 7.3}},
        {150.2, 380.9, {150, 400}},
        {24.1, 24.3, {24.1, 24.3}},
        {0, 1999.9, {0, 2000}},
        {7.04, 7.04, {7, 7.5}},
        {0, 0, {0, 1}},
        {7.040, 7.042, {7.04, 7.042}},
        {7.0401, 7.0402, {7.04, 7.041}},  // never finer than the meter's 0.001
        {500, 500, {500, 550}},
    };
    for (const auto& c : cases) {
        const core::ValueBounds bounds = core::ReadableBounds(c.low, c.high);
        EXPECT_EQ(bounds, c.bounds)
            << c.low << ".." << c.high << " gave " << bounds.low << ".." << bounds.high;
    }
}

TEST(PlotFit, FitsEveryRecordAndTheRangeOfItsReadings) {
    const core::RowTexts rows = listOf({"6.83", "- . - - -", "7.27", "", "- - . - - -"}, "pH");
    const core::PlotRange before = core::DefaultPlotRange(Quantity::Ph, 3);
    const auto fitted = core::FitPlotRange(rows, before, Quantity::Ph);
    ASSERT_TRUE(fitted);
    EXPECT_EQ(*fitted, (core::PlotRange{14, 0, 5, 7.3, 6.8, 1, 5, 5}));
    // The temperature column: here the same texts.
    EXPECT_EQ(core::FitPlotRange(rows, core::DefaultPlotRange(Quantity::Temperature, 5),
                                 Quantity::Temperature)
                  ->MaxValue,
              7.3);
}

TEST(PlotFit, NegativeReadingsFitByTheirSizeWithinTheAcceptedLimits) {
    const core::PlotRange mv = core::DefaultPlotRange(Quantity::Mv, 0);
    const struct {
        std::vector<std::string> values;
        double min, max;
    } cases[] = {
        {{"-150.2", "-380.9"}, 150, 400},
        {{"-150.2", "380.9"}, 0, 400},  // both signs: through zero
        {{"-1999.9", "1999.9", "- - - - . -"}, 0, 2000},
        {{"2500.0", "2600.0"}, 0, 2000},  // beyond the limits: full scale
        {{"1900.0", "2100.0"}, 1900, 2000},
    };
    for (const auto& c : cases) {
        const auto fitted = core::FitPlotRange(listOf(c.values, "mV"), mv, Quantity::Mv);
        ASSERT_TRUE(fitted) << c.values[0];
        EXPECT_EQ(fitted->MinValue, c.min) << c.values[0];
        EXPECT_EQ(fitted->MaxValue, c.max) << c.values[0];
    }
}

TEST(PlotFit, NothingToFitWithoutReadings) {
    const core::PlotRange ph = core::DefaultPlotRange(Quantity::Ph, 3);
    EXPECT_FALSE(core::FitPlotRange(core::RowTexts(), ph, Quantity::Ph));
    EXPECT_FALSE(core::FitPlotRange(listOf({"- . - - -", "", "abc"}, "pH"), ph, Quantity::Ph));
    // One record: its value, flat, and no trace to draw.
    const auto single = core::FitPlotRange(listOf({"7.000"}, "pH"), ph, Quantity::Ph);
    ASSERT_TRUE(single);
    EXPECT_EQ(*single, (core::PlotRange{14, 0, 1, 7.5, 7, 1, 1, 1}));
}

}  // namespace
