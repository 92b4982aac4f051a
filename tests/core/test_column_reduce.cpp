#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/column_reduce.h"

namespace {

TEST(ColumnReduce, GroupsPointsByColumnUntilAMissingValue) {
    // Four points per column from x 10.0 on; the value after 7 is missing.
    const std::vector<float> y = {5, 1, 9, 4, 2, 2, 8, 3, 7, NAN, 6};
    std::vector<core::ColumnSpan> spans;
    EXPECT_EQ(core::AppendColumnSpans(spans, y.data(), 0, y.size(), 10.0, 0.25), 9u);
    ASSERT_EQ(spans.size(), 3u);
    const auto text = [](const core::ColumnSpan& s) {
        return testing::PrintToString(std::vector<double>{
            double(s.column), double(s.first), double(s.last), s.minY, s.maxY, s.firstY, s.lastY});
    };
    EXPECT_EQ(text(spans[0]), "{ 10, 0, 3, 1, 9, 5, 4 }");
    EXPECT_EQ(text(spans[1]), "{ 11, 4, 7, 2, 8, 2, 3 }");
    EXPECT_EQ(text(spans[2]), "{ 12, 8, 8, 7, 7, 7, 7 }");

    // Reduced point by point, as a live trace grows, the columns come out the same.
    std::vector<core::ColumnSpan> grown;
    for (std::size_t i = 0; i < 9; ++i)
        core::AppendColumnSpans(grown, y.data(), i, i + 1, 10.0, 0.25);
    ASSERT_EQ(grown.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(text(grown[i]), text(spans[i]));
}

}  // namespace
