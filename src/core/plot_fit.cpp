#include "core/plot_fit.h"

#include <algorithm>
#include <cmath>

#include "core/text_rules.h"

namespace core {

namespace {

constexpr double kFinestStep = 0.001;
constexpr double kStepsWanted = 5;
constexpr double kFlatStepShare = 20;  // a flat range's step: about value / 20
// Float noise allowed when a bound lies on a step (7.04 / 0.01 gives 703.9999...).
constexpr double kOnStep = 1e-9;

// A step of `mantissa` (1, 2, 5) times 10^exponent and the decimal `count` steps make, rounded
// once from the exact whole numbers so that 0.1 steps give 7.3 and not 7.300000000000001.
struct Step {
    double mantissa = 1;
    int exponent = 0;

    double size() const { return valueOf(1); }
    double valueOf(double count) const {
        const double units = count * mantissa;
        return exponent >= 0 ? units * std::pow(10.0, exponent) : units / std::pow(10.0, -exponent);
    }
};

Step readableStep(double raw) {
    raw = std::max(raw, kFinestStep);
    Step step;
    step.exponent = static_cast<int>(std::floor(std::log10(raw)));
    const double base = raw / std::pow(10.0, step.exponent);
    if (base <= 1 + kOnStep) {
        step.mantissa = 1;
    } else if (base <= 2 + kOnStep) {
        step.mantissa = 2;
    } else if (base <= 5 + kOnStep) {
        step.mantissa = 5;
    } else {
        step.mantissa = 1;
        ++step.exponent;
    }
    return step;
}

}  // namespace

ValueBounds ReadableBounds(double low, double high) {
    const double span = high - low;
    const double raw = span > 0 ? span / kStepsWanted : (high > 0 ? high / kFlatStepShare : 1);
    const Step step = readableStep(raw);
    const double first = std::floor(low / step.size() + kOnStep);
    double last = std::ceil(high / step.size() - kOnStep);
    if (last <= first) last = first + 1;
    return {step.valueOf(first), step.valueOf(last)};
}

std::optional<PlotRange> FitPlotRange(const RowTexts& rows, const PlotRange& range,
                                      Quantity quantity) {
    const auto column = static_cast<std::size_t>(PlotValueColumn(quantity));
    bool any = false;
    bool negative = false;
    bool nonNegative = false;
    double smallest = 0;
    double largest = 0;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string_view text = rows.cell(r, column);
        if (IsDashText(text)) continue;
        const std::optional<double> value = WholeNumber(text);  // nothing for blank cells too
        if (!value) continue;
        (*value < 0 ? negative : nonNegative) = true;
        const double size = std::fabs(*value);
        smallest = any ? std::min(smallest, size) : size;
        largest = any ? std::max(largest, size) : size;
        any = true;
    }
    if (!any) return std::nullopt;

    ValueBounds bounds = ReadableBounds(negative && nonNegative ? 0 : smallest, largest);
    bounds.low = std::max(bounds.low, range.BottomLimit);
    bounds.high = std::min(bounds.high, range.TopLimit);
    // Readings wholly beyond the accepted limits: the full scale is the best the plot can show.
    if (bounds.low >= bounds.high) bounds = {range.BottomLimit, range.TopLimit};

    PlotRange fitted = range;
    fitted.RecordTotal = static_cast<long long>(rows.size());
    fitted.FirstRecord = 1;
    fitted.LastRecord = fitted.RecordTotal;
    fitted.PointCount = fitted.RecordTotal;
    fitted.MinValue = bounds.low;
    fitted.MaxValue = bounds.high;
    return fitted;
}

}  // namespace core
