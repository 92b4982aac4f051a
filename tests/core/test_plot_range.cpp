#include <gtest/gtest.h>

#include <ostream>

#include "core/plot_range.h"

namespace {

using core::Quantity;

TEST(PlotRange, OpenedFromAListPlotsEveryRowOnTheFullScale) {
    const core::PlotRange mv = core::DefaultPlotRange(Quantity::Mv, 20);
    EXPECT_EQ(mv, (core::PlotRange{2000, 0, 20, 2000, 0, 1, 20, 20}));
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Ph, 5).MaxValue, 14);
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Temperature, 5).TopLimit, 220);
    EXPECT_EQ(core::DefaultPlotRange(Quantity::Ph, -1).PointCount, 0);  // a grid without rows
    EXPECT_EQ(core::PlotValueColumn(Quantity::Mv), 3);
    EXPECT_EQ(core::PlotUnitColumn(Quantity::Ph), 4);
    EXPECT_EQ(core::PlotValueColumn(Quantity::Temperature), 5);
    EXPECT_EQ(core::PlotUnitColumn(Quantity::Temperature), 6);

    EXPECT_EQ(core::MiddleTimeRow(mv), 10);
    EXPECT_DOUBLE_EQ(core::PlotStepX(mv), 4000.0 / 19);
    EXPECT_TRUE(core::PlotHasTrace(mv));
    EXPECT_FALSE(core::PlotHasTrace(core::DefaultPlotRange(Quantity::Ph, 1)));
}

struct PlotEntryCase {
    const char* name;
    const char* from;
    const char* to;
    const char* min;
    const char* max;
    bool valid;
};

void PrintTo(const PlotEntryCase& c, std::ostream* os) {
    *os << c.name;
}

class PlotRangeEntryTest : public testing::TestWithParam<PlotEntryCase> {};

TEST_P(PlotRangeEntryTest, AcceptsOnlyRowsOfTheListAndLimitsWithinTheQuantity) {
    const PlotEntryCase& c = GetParam();
    const core::PlotRange before = core::DefaultPlotRange(Quantity::Ph, 20);
    const std::optional<core::PlotRange> after =
        core::ApplyPlotRangeEntry(before, c.from, c.to, c.min, c.max);
    ASSERT_EQ(after.has_value(), c.valid);
    if (!after) return;
    EXPECT_EQ(after->PointCount, after->LastRecord - after->FirstRecord + 1);
    EXPECT_EQ(after->RecordTotal, 20);
    EXPECT_EQ(after->TopLimit, 14);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, PlotRangeEntryTest,
    testing::Values(PlotEntryCase{"all", "1", "20", "0", "14", true},
                    PlotEntryCase{"headerRow", "0", "19", "0", "14", true},
                    PlotEntryCase{"lenient", "2abc", "9 rows", "4", "10", true},
                    PlotEntryCase{"emptyFrom", "", "5", "0", "14", true},
                    PlotEntryCase{"upsideDown", "1", "10", "10", "4", true},
                    PlotEntryCase{"flat", "1", "10", "7", "7", true},
                    PlotEntryCase{"negativeFrom", "-1", "5", "0", "14", false},
                    PlotEntryCase{"toAtFrom", "5", "5", "0", "14", false},
                    PlotEntryCase{"tooMany", "0", "20", "0", "14", false},
                    PlotEntryCase{"maxOverTop", "1", "20", "0", "14.5", false},
                    PlotEntryCase{"minUnderBottom", "1", "20", "-0.1", "14", false},
                    PlotEntryCase{"pastLastRow", "5", "21", "0", "14", false},
                    PlotEntryCase{"fractionalRow", "1.5", "10", "0", "14", false}),
    [](const auto& info) { return info.param.name; });

TEST(PlotRangeEntry, ReplacesRowsAndValues) {
    const core::PlotRange before = core::DefaultPlotRange(Quantity::Mv, 20);
    const core::PlotRange after = *core::ApplyPlotRangeEntry(before, "3", "12", "100", "1500");
    EXPECT_EQ(after, (core::PlotRange{2000, 0, 20, 1500, 100, 3, 12, 10}));
    EXPECT_EQ(core::MiddleTimeRow(after), 7);
}

}  // namespace
