#include "core/plot_range.h"

#include <cmath>
#include <limits>

#include "core/text_rules.h"

namespace core {

namespace {
constexpr double kLargestExactRow = 9007199254740992.0;  // 2^53
}  // namespace

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

std::optional<std::string_view> GridCell(const RowTexts& rows, long long row, std::size_t column) {
    if (row < 0 || column >= kRecordCells) return std::nullopt;
    if (row == 0) return kRecordHeaderTexts[column];
    if (static_cast<unsigned long long>(row) > rows.size()) return std::nullopt;
    return rows.cell(static_cast<std::size_t>(row - 1), column);
}

std::vector<float> PlotTraceHeights(const RowTexts& rows, const PlotRange& range,
                                    Quantity quantity) {
    const ValueScale scale = range.scale();
    const auto column = static_cast<std::size_t>(PlotValueColumn(quantity));
    if (!PlotHasTrace(range) || !ValueHeight(0, scale, HeightForm::Mirrored)) return {};
    if (range.FirstRecord < 0 || static_cast<unsigned long long>(range.LastRecord) > rows.size())
        return {};

    std::vector<float> heights;
    heights.reserve(static_cast<std::size_t>(range.PointCount));
    for (long long row = range.FirstRecord; row <= range.LastRecord; ++row) {
        const double value = PlotValue(*GridCell(rows, row, column), quantity);
        const std::optional<double> y = ValueHeight(value, scale, HeightForm::Mirrored);
        heights.push_back(y ? static_cast<float>(*y) : std::numeric_limits<float>::quiet_NaN());
    }
    return heights;
}

std::optional<PlotRange> ApplyPlotRangeEntry(const PlotRange& range, std::string_view from,
                                             std::string_view to, std::string_view min,
                                             std::string_view max) {
    const double first = NumericValue(from);
    const double last = NumericValue(to);
    const double low = NumericValue(min);
    const double high = NumericValue(max);
    if (first < 0 || last <= first) return std::nullopt;
    if (high > range.TopLimit || low < range.BottomLimit) return std::nullopt;
    // Rows are whole grid rows: a fraction would plot nothing sensible while the dialog
    // reported success, and a row past 2^53 has no exact whole number to convert.
    if (first != std::floor(first) || last != std::floor(last) || last > kLargestExactRow)
        return std::nullopt;
    // Counted in whole numbers: near 2^53, last - first + 1 in doubles rounds down and would
    // let a range of one row more than the list has through.
    const auto firstRow = static_cast<long long>(first);
    const auto lastRow = static_cast<long long>(last);
    if (lastRow - firstRow + 1 > range.RecordTotal) return std::nullopt;

    PlotRange result = range;
    result.FirstRecord = firstRow;
    result.LastRecord = lastRow;
    result.MinValue = low;
    result.MaxValue = high;
    result.PointCount = lastRow - firstRow + 1;
    return result;
}

}  // namespace core
