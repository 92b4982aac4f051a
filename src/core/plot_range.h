#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/record_row.h"
#include "core/value_height.h"

// Range of a stored-data plot (pH, mV or temperature) and its range dialog's check. Rows are
// grid rows of the listed records: row 0 is the header row, the data rows are 1..RecordTotal.
namespace core {

struct PlotRange {
    double TopLimit = 0;        // highest Max. the dialog accepts
    double BottomLimit = 0;     // lowest Min. the dialog accepts
    long long RecordTotal = 0;  // data rows of the source list
    double MaxValue = 0;        // value at the top line
    double MinValue = 0;        // value on the time axis (y 4000)
    long long FirstRecord = 1;  // grid row of the first plotted record, at x 1000
    long long LastRecord = 0;   // grid row of the last plotted record, at x 5000
    long long PointCount = 0;   // LastRecord - FirstRecord + 1

    ValueScale scale() const { return {MaxValue, MinValue}; }
    bool operator==(const PlotRange&) const = default;
};

// The range a plot opened from a list starts with: limits pH 14, mV 2000, temperature 220
// ('C and 'F alike) over 0, all `recordTotal` rows (a negative count counts as none).
PlotRange DefaultPlotRange(Quantity quantity, long long recordTotal);

// Grid columns a plot reads: the value (3; 5 for temperature) and its unit, taken from row 1
// (4; 6 for temperature).
int PlotValueColumn(Quantity quantity);
int PlotUnitColumn(Quantity quantity);

// The trace needs two points; with fewer a plot draws its value labels only.
bool PlotHasTrace(const PlotRange& range);
// Horizontal distance between plotted rows: 4000 / (PointCount - 1); only with a trace.
double PlotStepX(const PlotRange& range);
// Row of the middle time label LblT2: (FirstRecord + LastRecord) / 2, fraction dropped.
long long MiddleTimeRow(const PlotRange& range);

// Cell `column` of grid row `row` of a list whose data rows are `rows`: row 0 is the header row
// (kRecordHeaderTexts), row r >= 1 is rows[r - 1]. Nothing when the row does not exist.
std::optional<std::string_view> GridCell(const RowTexts& rows, long long row, std::size_t column);

// Heights of the plotted rows FirstRecord..LastRecord, one float per row in order, read once
// from the value column by PlotValue and placed by the mirrored form of ValueHeight. Empty (no
// trace) when PointCount < 2, when a plotted row does not exist or when the scale cannot place
// values (MaxValue equal to MinValue).
std::vector<float> PlotTraceHeights(const RowTexts& rows, const PlotRange& range,
                                    Quantity quantity);

inline constexpr std::string_view kPlotRangeInvalidMessage = "Invalid, Try again!";

// Applies the range dialog's From, To, Min. and Max. texts, each read as its leading number
// (NumericValue). Nothing (show kPlotRangeInvalidMessage) when From < 0, To <= From,
// To - From + 1 > RecordTotal, Max. > TopLimit or Min. < BottomLimit, and also when From or To
// is not a whole row number (a fraction, or beyond 2^53 where doubles skip whole numbers).
// Otherwise `range` with First, Last, Min., Max. and PointCount replaced. Max. equal to or below
// Min. is accepted, and so is a To beyond the last data row: the plot then stops at the first
// missing row.
std::optional<PlotRange> ApplyPlotRangeEntry(const PlotRange& range, std::string_view from,
                                             std::string_view to, std::string_view min,
                                             std::string_view max);

}  // namespace core
