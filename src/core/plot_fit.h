#pragma once

#include <optional>

#include "core/plot_range.h"
#include "core/record_row.h"
#include "core/value_height.h"

// "Fit to Data" of the stored-data plots: the range that shows every listed reading.
namespace core {

struct ValueBounds {
    double low = 0;
    double high = 0;
    bool operator==(const ValueBounds&) const = default;
};

// The smallest range of whole steps around low..high (0 <= low <= high), the step being 1, 2
// or 5 times a power of ten (at least 0.001, the finest reading) chosen so that the range holds
// about five steps. A flat range (low equal to high) gets a step of about a twentieth of its
// value (1 at zero), and at least one step between low and high.
ValueBounds ReadableBounds(double low, double high);

// `range` fitted to the readings of `rows` (the list's data rows) in the quantity's value
// column: From and To over every record, Min. and Max. the readable bounds of the readings'
// sizes, within the limits the range dialog accepts. Negative readings lie in the mirrored
// band by their size, so sizes are fitted; readings of both signs fit from 0. Over-range dashes,
// blank cells and texts that are no number are left out. Nothing when no reading is left.
std::optional<PlotRange> FitPlotRange(const RowTexts& rows, const PlotRange& range,
                                      Quantity quantity);

}  // namespace core
