#include <gtest/gtest.h>

#include "core/graph_range.h"

namespace {

TEST(GraphRange, DefaultsPerQuantity) {
    EXPECT_EQ(core::DefaultGraphRange(core::Quantity::Ph),
              (core::GraphRange{14, 0, 300, 4000.0 / 299}));
    EXPECT_EQ(core::DefaultGraphRange(core::Quantity::Mv).MaxValue, 2000);
    EXPECT_EQ(core::DefaultGraphRange(core::Quantity::Temperature).MaxValue, 220);
    EXPECT_EQ(core::LiveHeightForm(core::Quantity::Mv), core::HeightForm::Mirrored);
    EXPECT_EQ(core::LiveHeightForm(core::Quantity::Temperature), core::HeightForm::BaseLine);
}

TEST(GraphRange, TimeLabelsAndRestartFallOnTheirPoints) {
    const struct {
        double records;
        long long middle, last, restart;  // last -1: no point carries LblT3
    } cases[] = {{10, 5, 9, 10},
                 {300, 150, 299, 300},
                 {11, 5, 10, 11},
                 // Halves round to even; a fractional count - 1 is no point index.
                 {10.5, 5, -1, 10},
                 {13.5, 7, -1, 13}};
    for (const auto& c : cases) {
        core::GraphRange range = core::DefaultGraphRange(core::Quantity::Ph);
        range.RecordsPerGraph = c.records;
        long long middle = -1, last = -1, restart = -1;
        for (long long i = 0; restart < 0; ++i) {
            if (core::IsMiddleTimePoint(range, i)) middle = i;
            if (core::IsLastTimePoint(range, i)) last = i;
            if (core::IsPastRightEdge(core::GraphPointX(range, i))) restart = i;
            EXPECT_EQ(core::IsPastRightEdge(range, i), restart == i) << c.records << " " << i;
        }
        EXPECT_EQ(middle, c.middle) << c.records;
        EXPECT_EQ(last, c.last) << c.records;
        EXPECT_EQ(restart, c.restart) << c.records;
        if (c.last >= 0) {
            EXPECT_EQ(core::GraphPointX(range, c.last), 5000) << c.records;
        }
    }
}

// Point R - 1 closes the trace at the right edge and point R restarts it, also where the
// points' x in doubles can no longer tell R - 1 from R.
TEST(GraphRange, HugeRangesRestartOnPointR) {
    for (const double records : {8.8e15, 9e15 + 1, 9007199254740992.0, 1e17}) {
        core::GraphRange range = core::DefaultGraphRange(core::Quantity::Ph);
        range.RecordsPerGraph = records;
        const auto r = static_cast<long long>(records);
        EXPECT_FALSE(core::IsPastRightEdge(range, r - 1)) << records;
        EXPECT_TRUE(core::IsPastRightEdge(range, r)) << records;
        EXPECT_TRUE(core::IsLastTimePoint(range, r - 1)) << records;
        EXPECT_FALSE(core::IsLastTimePoint(range, r)) << records;
    }
    core::GraphRange endless = core::DefaultGraphRange(core::Quantity::Ph);
    endless.RecordsPerGraph = 1e300;
    EXPECT_FALSE(core::IsPastRightEdge(endless, 9223372036854775807LL));
}

TEST(GraphRange, DialogChecksRecordsThenLimitsStrictly) {
    const std::string_view records = core::kRecordsInvalidMessage;
    const std::string_view limits = core::kLimitsInvalidMessage;
    const struct {
        const char *records, *min, *max;
        std::string_view message;  // empty: accepted
    } cases[] = {{"9", "0", "14", records},     {"", "0", "14", records},
                 {"12abc", "0", "14", records}, {"9", "-1", "-5", records},
                 {"10", "-1", "14", limits},    {"10", "5", "5", limits},
                 {"10", "6", "5", limits},      {"10", "0", "14x", limits},
                 {"10", "", "14", limits},      {" 300 ", "0", "2000", {}}};
    for (const auto& c : cases) {
        const core::GraphRangeEntry entry = core::CheckGraphRange(c.records, c.min, c.max);
        EXPECT_EQ(entry.message, c.message) << c.records << " " << c.min << " " << c.max;
        EXPECT_EQ(entry.range.has_value(), c.message.empty());
    }
    EXPECT_EQ(*core::CheckGraphRange("10", "0", "14").range,
              (core::GraphRange{14, 0, 10, 4000.0 / 9}));
    EXPECT_EQ(*core::CheckGraphRange("10.5", "1.5", "7").range,
              (core::GraphRange{7, 1.5, 10.5, 4000.0 / 9.5}));
}

}  // namespace
