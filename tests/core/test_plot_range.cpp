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
    } cases[] = {{"1", "20", "0", "14", true},
                 {"0", "19", "0", "14", true},  // header row
                 {"2abc", "9 rows", "4", "10", true},
                 {"", "5", "0", "14", true},
                 {"1", "10", "10", "4", true},  // upside down
                 {"1", "10", "7", "7", true},   // labels only
                 {"-1", "5", "0", "14", false},
                 {"5", "5", "0", "14", false},
                 {"0", "20", "0", "14", false},
                 {"1", "20", "0", "14.5", false},
                 {"1", "20", "-0.1", "14", false},
                 {"1.5", "10", "0", "14", false},
                 // Beyond the last row: accepted, the plot stops at the first missing row.
                 {"5", "21", "0", "14", true},
                 {"30", "31", "0", "14", true},
                 {"9007199254740994", "9007199254740996", "0", "14", false}};
    for (const auto& c : cases) {
        const auto after = core::ApplyPlotRangeEntry(before, c.from, c.to, c.min, c.max);
        EXPECT_EQ(after.has_value(), c.valid)
            << c.from << " " << c.to << " " << c.min << " " << c.max;
    }
    // Rows are counted in whole numbers up to 2^53: never one point more than the list has.
    const core::PlotRange huge = core::DefaultPlotRange(Quantity::Ph, 9007199254740992LL);
    EXPECT_FALSE(core::ApplyPlotRangeEntry(huge, "0", "9007199254740992", "0", "14"));
    EXPECT_EQ(core::ApplyPlotRangeEntry(huge, "1", "9007199254740992", "0", "14")->PointCount,
              9007199254740992LL);
    const core::PlotRange mv = core::DefaultPlotRange(Quantity::Mv, 20);
    EXPECT_EQ(*core::ApplyPlotRangeEntry(mv, "3", "12", "100", "1500"),
              (core::PlotRange{2000, 0, 20, 1500, 100, 3, 12, 10}));
}

TEST(PlotRange, TraceHeightsAreReadOnceFromTheListedRows) {
    core::RowTexts rows;
    for (const char* value : {"7.000", "- . - - -", "- - . - - -", "3.5", "14.000"})
        rows.append(std::string("1\t24/03/05\t14:02:59\t") + value + "\tpH\t25.3\t'C");
    core::PlotRange range = core::DefaultPlotRange(Quantity::Ph, 5);
    EXPECT_EQ(core::PlotTraceHeights(rows, range, Quantity::Ph),
              (std::vector<float>{2500, 900, 7100, 3250, 1000}));
    EXPECT_EQ(*core::GridCell(rows, 0, 2), "    Time");  // row 0 is the header row

    range = *core::ApplyPlotRangeEntry(range, "0", "2", "0", "14");  // header value counts as 0
    EXPECT_EQ(core::PlotTraceHeights(rows, range, Quantity::Ph),
              (std::vector<float>{4000, 2500, 900}));
    range = *core::ApplyPlotRangeEntry(range, "4", "6", "0", "14");  // row 6 is missing
    EXPECT_FALSE(core::GridCell(rows, 6, 2).has_value());
    EXPECT_TRUE(core::PlotTraceHeights(rows, range, Quantity::Ph).empty());
    range = *core::ApplyPlotRangeEntry(range, "1", "5", "7", "7");  // no scale: labels only
    EXPECT_TRUE(core::PlotTraceHeights(rows, range, Quantity::Ph).empty());
    // Temperature reads column 5.
    EXPECT_EQ(core::PlotTraceHeights(rows, core::DefaultPlotRange(Quantity::Temperature, 2),
                                     Quantity::Temperature),
              (std::vector<float>(2, 4000 - 3000 * 25.3f / 220)));
}

}  // namespace
