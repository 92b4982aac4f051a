#include <gtest/gtest.h>

#include <ostream>

#include "core/graph_range.h"

namespace {

TEST(GraphRange, DefaultsPerQuantity) {
    using core::Quantity;
    for (auto [quantity, max] : {std::pair{Quantity::Ph, 14.0}, std::pair{Quantity::Mv, 2000.0},
                                 std::pair{Quantity::Temperature, 220.0}}) {
        const core::GraphRange range = core::DefaultGraphRange(quantity);
        EXPECT_EQ(range, (core::GraphRange{max, 0, 300, 4000.0 / 299}));
    }
    EXPECT_EQ(core::LiveHeightForm(Quantity::Mv), core::HeightForm::Mirrored);
    EXPECT_EQ(core::LiveHeightForm(Quantity::Ph), core::HeightForm::BaseLine);
}

struct LabelPointCase {
    double records;
    long long middle;   // point of LblT2
    long long last;     // point of LblT3; -1: none
    long long restart;  // first point past the right edge
};

void PrintTo(const LabelPointCase& c, std::ostream* os) {
    *os << c.records << " records";
}

class LabelPointTest : public testing::TestWithParam<LabelPointCase> {};

TEST_P(LabelPointTest, TimeLabelsAndRestartFallOnTheirPoints) {
    const LabelPointCase& c = GetParam();
    core::GraphRange range = core::DefaultGraphRange(core::Quantity::Ph);
    range.RecordsPerGraph = c.records;
    long long middle = -1, last = -1, restart = -1;
    for (long long i = 0; restart < 0; ++i) {
        if (core::IsMiddleTimePoint(range, i)) middle = i;
        if (core::IsLastTimePoint(range, i)) last = i;
        if (core::IsPastRightEdge(core::GraphPointX(range, i))) restart = i;
    }
    EXPECT_EQ(middle, c.middle);
    EXPECT_EQ(last, c.last);
    EXPECT_EQ(restart, c.restart);
    if (c.last >= 0) {
        EXPECT_EQ(core::GraphPointX(range, c.last), 5000);
    }
}

INSTANTIATE_TEST_SUITE_P(Counts, LabelPointTest,
                         testing::Values(LabelPointCase{10, 5, 9, 10},
                                         LabelPointCase{300, 150, 299, 300},
                                         LabelPointCase{11, 5, 10, 11},
                                         // Fractions: halves round to even, and the last
                                         // point never equals a fractional count - 1.
                                         LabelPointCase{10.5, 5, -1, 10},
                                         LabelPointCase{13.5, 7, -1, 13}));

struct EntryCase {
    const char* records;
    const char* min;
    const char* max;
    std::string_view message;  // empty: accepted
};

void PrintTo(const EntryCase& c, std::ostream* os) {
    *os << '"' << c.records << "\" \"" << c.min << "\" \"" << c.max << '"';
}

class GraphRangeEntryTest : public testing::TestWithParam<EntryCase> {};

TEST_P(GraphRangeEntryTest, ChecksRecordsThenLimits) {
    const EntryCase& c = GetParam();
    const core::GraphRangeEntry entry = core::CheckGraphRange(c.records, c.min, c.max);
    EXPECT_EQ(entry.message, c.message);
    EXPECT_EQ(entry.range.has_value(), c.message.empty());
}

constexpr std::string_view kRecords = core::kRecordsInvalidMessage;
constexpr std::string_view kLimits = core::kLimitsInvalidMessage;

INSTANTIATE_TEST_SUITE_P(
    Entries, GraphRangeEntryTest,
    testing::Values(EntryCase{"9", "0", "14", kRecords}, EntryCase{"10", "0", "14", {}},
                    EntryCase{"", "0", "14", kRecords}, EntryCase{"12abc", "0", "14", kRecords},
                    EntryCase{"9", "-1", "-5", kRecords}, EntryCase{"10", "-1", "14", kLimits},
                    EntryCase{"10", "5", "5", kLimits}, EntryCase{"10", "6", "5", kLimits},
                    EntryCase{"10", "0", "14x", kLimits}, EntryCase{"10", "", "14", kLimits},
                    EntryCase{" 300 ", "0", "2000", {}}, EntryCase{"10.5", "0.5", "14", {}}));

TEST(GraphRangeEntry, KeepsTypedValuesWithTheirStep) {
    const core::GraphRangeEntry ten = core::CheckGraphRange("10", "0", "14");
    EXPECT_EQ(*ten.range, (core::GraphRange{14, 0, 10, 4000.0 / 9}));
    const core::GraphRangeEntry fraction = core::CheckGraphRange("10.5", "1.5", "7");
    EXPECT_EQ(*fraction.range, (core::GraphRange{7, 1.5, 10.5, 4000.0 / 9.5}));
}

}  // namespace
