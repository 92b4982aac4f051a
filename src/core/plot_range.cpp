#include "core/plot_range.h"

#include <cmath>

#include "core/text_rules.h"

namespace core {

PlotRange DefaultPlotRange(Quantity quantity, long long recordTotal) {
    PlotRange range;
    switch (quantity) {
        case Quantity::Ph:
            range.TopLimit = 14;
            break;
        case Quantity::Mv:
            range.TopLimit = 2000;
            break;
        case Quantity::Temperature:
            range.TopLimit = 220;
            break;
    }
    range.BottomLimit = 0;
    range.RecordTotal = recordTotal < 0 ? 0 : recordTotal;
    range.MaxValue = range.TopLimit;
    range.MinValue = range.BottomLimit;
    range.FirstRecord = 1;
    range.LastRecord = range.RecordTotal;
    range.PointCount = range.RecordTotal;
    return range;
}

int PlotValueColumn(Quantity quantity) {
    return quantity == Quantity::Temperature ? 5 : 3;
}

int PlotUnitColumn(Quantity quantity) {
    return quantity == Quantity::Temperature ? 6 : 4;
}

bool PlotHasTrace(const PlotRange& range) {
    return range.PointCount >= 2;
}

double PlotStepX(const PlotRange& range) {
    return (kGraphRightX - kGraphLeftX) / static_cast<double>(range.PointCount - 1);
}

long long MiddleTimeRow(const PlotRange& range) {
    return (range.FirstRecord + range.LastRecord) / 2;
}

std::optional<PlotRange> ApplyPlotRangeEntry(const PlotRange& range, std::string_view from,
                                             std::string_view to, std::string_view min,
                                             std::string_view max) {
    const double first = NumericValue(from);
    const double last = NumericValue(to);
    const double low = NumericValue(min);
    const double high = NumericValue(max);
    const double total = static_cast<double>(range.RecordTotal);
    if (first < 0 || last <= first || last - first + 1 > total) return std::nullopt;
    if (high > range.TopLimit || low < range.BottomLimit) return std::nullopt;
    // Rows are whole grid rows that exist: a fraction or a row past the list would plot
    // nothing sensible (or nothing at all) while the dialog reported success.
    if (first != std::floor(first) || last != std::floor(last) || last > total) return std::nullopt;

    PlotRange result = range;
    result.FirstRecord = static_cast<long long>(first);
    result.LastRecord = static_cast<long long>(last);
    result.MinValue = low;
    result.MaxValue = high;
    result.PointCount = result.LastRecord - result.FirstRecord + 1;
    return result;
}

}  // namespace core
