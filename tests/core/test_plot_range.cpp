#include <gtest/gtest.h>

#include "core/plot_range.h"

namespace {

using core::Quantity;

TEST(PlotRange, OpenedFromAListPlotsEveryRowOnTheFullScale) {
    const core::PlotRange mv = core::DefaultPlotRange(Quantity::Mv, 20);
    EXPECT_EQ(mv, (core::PlotRange{2000, 0, 20, 2000, 0, 1, 20, 20}));
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Ph, 5).MaxValue, 14);
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Temperature, 5).TopLimit, 220);
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Ph, -1).PointCount, 0);  // a grid without rows
    EXPECT_EQ(core::PlotValueColumn(Quantity::Mv) * 10 + core::PlotUnitColumn(Quantity::Mv), 34);
    EXPECT_EQ(core::PlotValueColumn(Quantity::Temperature) * 10 +
                  core::PlotUnitColumn(Quantity::Temperature),
              56);
    EXPECT_EQ(core::MiddleTimeRow(mv), 10);
    EXPECT_DOUBLE_EQ(core::PlotStepX(mv), 4000.0 / 19);
    EXPECT_FALSE(core::PlotHasTrace(core::DefaultPlotRange(Quantity::Ph, 1)));
}

TEST(PlotRange, DialogAcceptsOnlyRowsOfTheListAndLimitsOfTheQuantity) {
    const core::PlotRange before = core::DefaultPlotRange(Quantity::Ph, 20);
    const struct {
        const char *from, *to, *min, *max;
        bool valid;
    } cases[] = {{"1", "20", "0", "14", true},        {"0", "19", "0", "14", true},  // header row
                 {"2abc", "9 rows", "4", "10", true}, {"", "5", "0", "14", true},
                 {"1", "10", "10", "4", true},  // upside down
                 {"1", "10", "7", "7", true},   // labels only
                 {"-1", "5", "0", "14", false},       {"5", "5", "0", "14", false},
                 {"0", "20", "0", "14", false},       {"1", "20", "0", "14.5", false},
                 {"1", "20", "-0.1", "14", false},    {"5", "21", "0", "14", false},
                 {"1.5", "10", "0", "14", false}};
    for (const auto& c : cases) {
        const auto after = core::ApplyPlotRangeEntry(before, c.from, c.to, c.min, c.max);
        EXPECT_EQ(after.has_value(), c.valid)
            << c.from << " " << c.to << " " << c.min << " " << c.max;
    }
    const core::PlotRange mv = core::DefaultPlotRange(Quantity::Mv, 20);
    EXPECT_EQ(*core::ApplyPlotRangeEntry(mv, "3", "12", "100", "1500"),
              (core::PlotRange{2000, 0, 20, 1500, 100, 3, 12, 10}));
}

}  // namespace
