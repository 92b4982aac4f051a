#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Reduction of a long trace to what one column of pixels can show, so that drawing a million
// points costs about as much as drawing the screen's width.
namespace core {

// The points of a trace that fall in one pixel column: their index range and y values.
struct ColumnSpan {
    long long column = 0;     // floor of the points' x
    std::uint32_t first = 0;  // index of the first point in the column
    std::uint32_t last = 0;   // index of the last point in the column
    float minY = 0;
    float maxY = 0;
    float firstY = 0;
    float lastY = 0;
};

// Point i of a trace lies at x = x0 + i * dx (in pixels, any sign of dx) with y[i]. The full
// polyline inks, in each column, the span from minY to maxY and the segments joining a
// column's first point to the previous column's last point: drawing those (or, when points
// are less than a pixel apart, one bar per column from its lowest y to its highest, stretched
// to the previous column's lastY) gives the polyline's picture within one pixel.
//
// Appends the spans of points begin..end-1 to `spans`, continuing the last span when the first
// of them falls in its column, so a trace that grows point by point can be reduced as it grows.
// A non-finite y ends the trace: nothing from it on is reduced. Returns the index at which the
// reduction stopped (`end`, or the first non-finite y). Indexes must fit 32 bits.
std::size_t AppendColumnSpans(std::vector<ColumnSpan>& spans, const float* y, std::size_t begin,
                              std::size_t end, double x0, double dx);

// The spans of a whole trace of `count` points.
std::vector<ColumnSpan> ReduceToColumns(const float* y, std::size_t count, double x0, double dx);

}  // namespace core
