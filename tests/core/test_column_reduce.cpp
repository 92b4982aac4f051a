#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "core/column_reduce.h"

namespace {

bool sameSpans(const std::vector<core::ColumnSpan>& a, const std::vector<core::ColumnSpan>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].column != b[i].column || a[i].first != b[i].first || a[i].last != b[i].last ||
            a[i].minY != b[i].minY || a[i].maxY != b[i].maxY || a[i].firstY != b[i].firstY ||
            a[i].lastY != b[i].lastY)
            return false;
    }
    return true;
}

TEST(ColumnReduce, GroupsPointsByColumn) {
    // Four points per column from x 10.0 on.
    const std::vector<float> y = {5, 1, 9, 4, 2, 2, 8, 3, 7};
    const auto spans = core::ReduceToColumns(y.data(), y.size(), 10.0, 0.25);
    ASSERT_EQ(spans.size(), 3u);
    const core::ColumnSpan& a = spans[0];
    EXPECT_EQ(a.column, 10);
    EXPECT_EQ(a.first, 0u);
    EXPECT_EQ(a.last, 3u);
    EXPECT_EQ(a.minY, 1);
    EXPECT_EQ(a.maxY, 9);
    EXPECT_EQ(a.firstY, 5);
    EXPECT_EQ(a.lastY, 4);
    EXPECT_EQ(spans[1].first, 4u);
    EXPECT_EQ(spans[1].maxY, 8);
    EXPECT_EQ(spans[2].column, 12);
    EXPECT_EQ(spans[2].first, 8u);
    EXPECT_EQ(spans[2].minY, 7);
}

TEST(ColumnReduce, MissingValueEndsTheTrace) {
    const std::vector<float> y = {1, 2, 3, NAN, 5, 6};
    std::vector<core::ColumnSpan> spans;
    EXPECT_EQ(core::AppendColumnSpans(spans, y.data(), 0, y.size(), 0, 0.5), 3u);
    ASSERT_EQ(spans.size(), 2u);
    EXPECT_EQ(spans.back().last, 2u);
    EXPECT_EQ(core::ReduceToColumns(y.data(), y.size(), 0, 3.0).size(), 3u);
    const std::vector<float> infinite = {INFINITY, 1};
    EXPECT_TRUE(core::ReduceToColumns(infinite.data(), 2, 0, 0.5).empty());
}

TEST(ColumnReduce, GrowingPointByPointGivesTheSameSpans) {
    std::mt19937 random(7);
    std::normal_distribution<float> noise(0, 50);
    std::vector<float> y(5000);
    for (float& v : y) v = 2000 + noise(random);
    for (double dx : {0.37, -0.37, 1.5, 0.0}) {
        std::vector<core::ColumnSpan> grown;
        for (std::size_t i = 0; i < y.size(); ++i)
            core::AppendColumnSpans(grown, y.data(), i, i + 1, 100.25, dx);
        EXPECT_TRUE(sameSpans(grown, core::ReduceToColumns(y.data(), y.size(), 100.25, dx))) << dx;
    }
}

}  // namespace
