#include "core/graph_range.h"

#include <cmath>

#include "core/text_rules.h"

namespace core {

namespace {

constexpr double kPlotWidth = kGraphRightX - kGraphLeftX;  // 4000 twips
constexpr double kMinimumRecords = 10;
// 2^63: no point index reaches a range this large.
constexpr double kBeyondPointIndex = 9223372036854775808.0;

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double value) {
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(nearest, 2.0) != 0)
        return nearest - std::copysign(1.0, value);
    return nearest;
}

}  // namespace

GraphRange DefaultGraphRange(Quantity quantity) {
    GraphRange range;
    switch (quantity) {
        case Quantity::Ph:
            range.MaxValue = 14;
            break;
        case Quantity::Mv:
            range.MaxValue = 2000;
            break;
        case Quantity::Temperature:
            range.MaxValue = 220;
            break;
    }
    range.StepX = StepXFor(range.RecordsPerGraph);
    return range;
}

double StepXFor(double recordsPerGraph) {
    return kPlotWidth / (recordsPerGraph - 1);
}

HeightForm LiveHeightForm(Quantity quantity) {
    return quantity == Quantity::Mv ? HeightForm::Mirrored : HeightForm::BaseLine;
}

double GraphPointX(const GraphRange& range, long long pointIndex) {
    // Multiplying first keeps whole-number ranges exact at the right edge.
    return kGraphLeftX + static_cast<double>(pointIndex) * kPlotWidth / (range.RecordsPerGraph - 1);
}

bool IsPastRightEdge(double x) {
    return x > kGraphRightX;
}

bool IsPastRightEdge(const GraphRange& range, long long pointIndex) {
    // pointIndex > R - 1 holds for a whole pointIndex exactly when pointIndex >= floor(R).
    const double edge = std::floor(range.RecordsPerGraph);
    if (!(edge < kBeyondPointIndex)) return false;
    return pointIndex >= static_cast<long long>(edge);
}

bool IsMiddleTimePoint(const GraphRange& range, long long pointIndex) {
    return static_cast<double>(pointIndex) == std::floor(roundHalfEven(range.RecordsPerGraph) / 2);
}

bool IsLastTimePoint(const GraphRange& range, long long pointIndex) {
    // Compared in whole numbers: R - 1 in doubles equals R itself for very large R.
    const double records = range.RecordsPerGraph;
    if (records != std::floor(records) || !(records < kBeyondPointIndex)) return false;
    return pointIndex == static_cast<long long>(records) - 1;
}

GraphRangeEntry CheckGraphRange(std::string_view records, std::string_view min,
                                std::string_view max) {
    const std::optional<double> count = WholeNumber(records);
    if (!count || *count < kMinimumRecords) return {std::nullopt, kRecordsInvalidMessage};
    const std::optional<double> low = WholeNumber(min);
    const std::optional<double> high = WholeNumber(max);
    if (!low || !high || *low < 0 || *high <= *low) return {std::nullopt, kLimitsInvalidMessage};
    return {GraphRange{*high, *low, *count, StepXFor(*count)}, {}};
}

}  // namespace core
