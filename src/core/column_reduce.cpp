#include "core/column_reduce.h"

#include <cfloat>
#include <cmath>

namespace core {

namespace {

// Column of x, kept within a range that converts to an integer safely.
long long columnOf(double x) {
    constexpr double kLimit = 1e18;
    double column = std::floor(x);
    if (!(column >= -kLimit)) column = -kLimit;  // also NaN
    if (column > kLimit) column = kLimit;
    return static_cast<long long>(column);
}

ColumnSpan spanAt(std::size_t index, float y, double x) {
    const auto i = static_cast<std::uint32_t>(index);
    return {columnOf(x), i, i, y, y, y, y};
}

}  // namespace

std::size_t AppendColumnSpans(std::vector<ColumnSpan>& spans, const float* y, std::size_t begin,
                              std::size_t end, double x0, double dx) {
    ColumnSpan span;
    bool open = false;
    if (begin < end && !spans.empty() &&
        columnOf(x0 + static_cast<double>(begin) * dx) == spans.back().column) {
        span = spans.back();
        spans.pop_back();
        open = true;
    }
    // The open span's column as the x interval [left, right), so the loop compares instead of
    // rounding every point.
    double left = static_cast<double>(span.column);
    double right = left + 1;

    std::size_t i = begin;
    for (; i < end; ++i) {
        const float v = y[i];
        if (!(std::fabs(v) <= FLT_MAX)) break;  // a missing value ends the trace
        const double x = x0 + static_cast<double>(i) * dx;
        if (open && x >= left && x < right) {
            span.last = static_cast<std::uint32_t>(i);
            span.lastY = v;
            span.minY = v < span.minY ? v : span.minY;
            span.maxY = v > span.maxY ? v : span.maxY;
            continue;
        }
        if (open) spans.push_back(span);
        span = spanAt(i, v, x);
        open = true;
        left = static_cast<double>(span.column);
        right = left + 1;
    }
    if (open) spans.push_back(span);
    return i;
}

std::vector<ColumnSpan> ReduceToColumns(const float* y, std::size_t count, double x0, double dx) {
    std::vector<ColumnSpan> spans;
    AppendColumnSpans(spans, y, 0, count, x0, dx);
    return spans;
}

}  // namespace core
