#pragma once

#include <optional>
#include <string_view>

#include "core/value_height.h"

// Range of a live graph (pH, mV or temperature) and its range dialog's check.
namespace core {

// The range fields of a live graph's GraphTrace: values at the top line and at the base line
// (for the mV graph: the size that lies on the zero line for both signs), the points across the
// width, and the distance between points in twips. RecordsPerGraph may hold a fraction.
struct GraphRange {
    double MaxValue = 0;
    double MinValue = 0;
    double RecordsPerGraph = 300;
    double StepX = 4000.0 / 299;

    ValueScale scale() const { return {MaxValue, MinValue}; }
    bool operator==(const GraphRange&) const = default;
};

// The start values: pH 14/0, mV 2000/0, temperature 220/0, each 300 points.
GraphRange DefaultGraphRange(Quantity quantity);

// 4000 / (recordsPerGraph - 1): the plot area's width over the gaps between the points.
double StepXFor(double recordsPerGraph);

// The height form of a live graph: mirrored for mV, base line for pH and temperature.
HeightForm LiveHeightForm(Quantity quantity);

// x of point `pointIndex` (0 for the first): 1000 + pointIndex * 4000 / (RecordsPerGraph - 1).
// Point RecordsPerGraph - 1 lies exactly at 5000.
double GraphPointX(const GraphRange& range, long long pointIndex);

// The trace has run past the right edge once its last point lies beyond x 5000: the window is
// then closed and opened again empty.
bool IsPastRightEdge(double x);
// The same for point `pointIndex`, counted in whole numbers: the point lies past the edge once
// pointIndex > RecordsPerGraph - 1, so point RecordsPerGraph (its whole part) is always the
// first past it, however large the range (its x in doubles no longer tells it from 5000 there).
bool IsPastRightEdge(const GraphRange& range, long long pointIndex);

// The point that sets the middle time label LblT2: the whole number nearest RecordsPerGraph
// (halves to even) divided by 2, remainder dropped. 150 for 300, 5 for 10.
bool IsMiddleTimePoint(const GraphRange& range, long long pointIndex);
// The point that sets the last time label LblT3: RecordsPerGraph - 1, compared exactly, so a
// RecordsPerGraph with a fraction has no such point.
bool IsLastTimePoint(const GraphRange& range, long long pointIndex);

// Messages of the live range dialogs.
inline constexpr std::string_view kRecordsInvalidMessage =
    "Invalid, Numbers of Records >=10, Try again!";
inline constexpr std::string_view kLimitsInvalidMessage =
    "Invalid, Min. Range >= 0 ; Max. Range > Min. Range";

// Outcome of a range dialog's OK: the new range, or the message to show.
struct GraphRangeEntry {
    std::optional<GraphRange> range;
    std::string_view message;
};

// Checks the three typed texts. Each must be wholly a number (blanks around it allowed): a
// records text that is not, or is below 10, gives kRecordsInvalidMessage; then a min or max
// text that is not, or min below 0, or max not above min, gives kLimitsInvalidMessage. A valid
// entry gives the range with its StepX; records with a fraction are kept as typed.
GraphRangeEntry CheckGraphRange(std::string_view records, std::string_view min,
                                std::string_view max);

}  // namespace core
