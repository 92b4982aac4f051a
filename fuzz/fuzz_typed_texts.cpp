// The texts a user types, together: the sampling answer, the logging interval, the live and the
// stored-data range entries, the alarm limits and the numeric value of a text. The input is cut
// at line feeds into those fields. Each accepted entry must hold what its check promises; a
// formatted value must read back to its digits; point R of a live trace lies past the right edge.
#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "contracts.h"
#include "core/alarm_limits.h"
#include "core/graph_range.h"
#include "core/memory_texts.h"
#include "core/plot_range.h"
#include "core/sampling_interval.h"
#include "core/text_rules.h"
#include "core/value_height.h"

namespace {

using contracts::require;

// `text` (a decimal number: sign, digits, point) rounded half away from zero to the picture's
// decimals and shown by it, worked out on the text's digits. Nothing when the text has more
// significant digits than a double keeps (15).
std::optional<std::string> pictureOfText(std::string_view text, std::string_view picture) {
    bool negative = false;
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) negative = text[0] == '-';
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
    const std::size_t dot = text.find('.');
    std::string whole(text.substr(0, dot));
    std::string fraction(dot == std::string_view::npos ? "" : text.substr(dot + 1));
    const std::string all = whole + fraction;
    const std::size_t first = all.find_first_not_of('0');
    if (first != std::string::npos && all.find_last_not_of('0') - first + 1 > 15)
        return std::nullopt;

    const std::size_t point = picture.find('.');
    const std::size_t decimals = point == std::string_view::npos ? 0 : picture.size() - point - 1;
    std::size_t minWhole = 0;
    for (char c : picture.substr(0, point)) minWhole += c == '0';
    const bool up = fraction.size() > decimals && fraction[decimals] >= '5';
    fraction.resize(decimals, '0');
    std::string digits = whole + fraction;
    if (up) contracts::addOneInLastDigit(digits);
    std::string rounded = digits.substr(0, digits.size() - decimals);
    rounded.erase(0, std::min(rounded.find_first_not_of('0'), rounded.size()));
    if (rounded.size() < minWhole) rounded.insert(0, minWhole - rounded.size(), '0');
    const std::string tail = digits.substr(digits.size() - decimals);
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string result = negative && !zero ? "-" : "";
    result += rounded;
    if (point != std::string_view::npos) result += "." + tail;
    return result;
}

// The number a whole-number text stands for, without blanks around it.
std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

void checkNumber(std::string_view text) {
    const double value = core::NumericValue(text);
    require(std::isfinite(value));
    const std::optional<double> whole = core::WholeNumber(text);
    if (!whole) return;
    require(*whole == value);
    for (const std::string_view picture : {"0.000", "000.0", "00.0", "#0.0", "#####", "#.000"}) {
        const std::string shown = core::FormatPicture(*whole, picture);
        if (const auto expected = pictureOfText(trimmed(text), picture))
            require(shown == *expected);
    }
    // A scale label has no exponent and reads back to the value within its 15 digits.
    const std::string label = core::ScaleLabelText(*whole);
    require(label.find_first_of("eE") == std::string::npos);
    const std::optional<double> back = core::WholeNumber(label);
    require(back && std::fabs(*back - *whole) <= std::fabs(*whole) * 1e-14);
}

void checkSampling(std::string_view answer) {
    const core::SamplingAnswer parsed = core::ParseSamplingAnswer(answer);
    using Outcome = core::SamplingAnswer::Outcome;
    require((parsed.outcome == Outcome::Unchanged) == answer.empty());
    if (parsed.outcome == Outcome::Rejected) require(!parsed.reason.empty());
    if (parsed.outcome != Outcome::Set) return;
    require(parsed.interval >= core::kMinSamplingInterval &&
            parsed.interval <= core::kMaxSamplingInterval);
    const core::SamplingAnswer again =
        core::ParseSamplingAnswer(core::SamplingDefaultAnswer(parsed.interval));
    require(again.outcome == Outcome::Set && again.interval == parsed.interval);
    require(core::SamplingIntervalCaption(parsed.interval) ==
            std::to_string(parsed.interval) + " Sec");
}

void checkLoggingInterval(std::string_view text) {
    const std::optional<std::uint8_t> byte = core::SamplingIntervalByte(text);
    if (!byte) return;
    require(*byte >= 2);
    require(core::SamplingIntervalByte(core::IntervalText(*byte)) == byte);
}

void checkLiveRange(std::string_view records, std::string_view min, std::string_view max) {
    const core::GraphRangeEntry entry = core::CheckGraphRange(records, min, max);
    if (!entry.range) {
        require(entry.message == core::kRecordsInvalidMessage ||
                entry.message == core::kLimitsInvalidMessage);
        return;
    }
    const core::GraphRange& range = *entry.range;
    require(entry.message.empty());
    require(range.RecordsPerGraph >= 10 && range.MinValue >= 0 && range.MaxValue > range.MinValue);
    require(range.StepX == core::StepXFor(range.RecordsPerGraph));
    require(core::GraphPointX(range, 0) == core::kGraphLeftX);
    if (range.RecordsPerGraph < 9.2e18) {
        // Point R (its whole part) is the first past the right edge.
        const auto r = static_cast<long long>(std::floor(range.RecordsPerGraph));
        require(core::IsPastRightEdge(range, r));
        require(!core::IsPastRightEdge(range, r - 1));
        require(core::IsLastTimePoint(range, r - 1) ==
                (range.RecordsPerGraph == std::floor(range.RecordsPerGraph)));
        if (range.RecordsPerGraph < 1e12) {
            require(core::IsPastRightEdge(core::GraphPointX(range, r)));
            require(!core::IsPastRightEdge(core::GraphPointX(range, r - 1)));
        }
    }
    for (const core::Quantity q : {core::Quantity::Ph, core::Quantity::Mv}) {
        const std::optional<double> y =
            core::ValueHeight(range.MaxValue, range.scale(), core::LiveHeightForm(q));
        require(y && *y == core::kTopLineY);  // MaxValue lies on the top line
    }
    const core::ScaleLabels labels = core::ScaleLabelTexts(range.scale());
    require(!labels.top.empty() && !labels.base.empty());
}

void checkPlotRange(const std::vector<std::string_view>& f, std::uint8_t selector) {
    const auto quantity = static_cast<core::Quantity>(selector % 3);
    // Lists of a few rows and of every size a double can count.
    const long long totals[] = {0,
                                5,
                                20,
                                9007199254740991LL,
                                9007199254740992LL,
                                9007199254740993LL,
                                static_cast<long long>(selector) << 40};
    const long long total = totals[selector / 3 % 7];
    const core::PlotRange before = core::DefaultPlotRange(quantity, total);
    const auto after = core::ApplyPlotRangeEntry(before, f[0], f[1], f[2], f[3]);
    if (!after) return;
    require(after->FirstRecord >= 0 && after->LastRecord > after->FirstRecord);
    require(after->PointCount == after->LastRecord - after->FirstRecord + 1);
    require(after->PointCount <= after->RecordTotal);
    require(after->MaxValue <= after->TopLimit && after->MinValue >= after->BottomLimit);
    require(core::PlotHasTrace(*after) && core::PlotStepX(*after) > 0);
    require(core::MiddleTimeRow(*after) >= after->FirstRecord &&
            core::MiddleTimeRow(*after) <= after->LastRecord);
    if (total <= 20) {
        core::RowTexts rows;
        for (long long r = 0; r < total; ++r)
            rows.append(std::string("1\t24/03/05\t14:02:59\t") + std::string(f[4]) + "\tpH\t" +
                        std::string(f[4]) + "\t'C");
        const std::vector<float> heights = core::PlotTraceHeights(rows, *after, quantity);
        require(heights.empty() || heights.size() == std::size_t(after->PointCount));
    }
}

// Limits as the alarm dialog shows and reads them: a shown limit reads back exactly.
void checkAlarm(std::string_view highText, std::string_view lowText, std::string_view caption,
                std::uint8_t selector) {
    const std::optional<double> high = core::WholeNumber(highText);
    const std::optional<double> low = core::WholeNumber(lowText);
    if (!high || !low || *low >= *high) return;
    for (const double limit : {*high, *low}) {
        char buffer[400];
        const auto [end, error] =
            std::to_chars(buffer, buffer + sizeof buffer, limit, std::chars_format::fixed);
        require(error == std::errc{});
        require(core::WholeNumber(std::string_view(buffer, std::size_t(end - buffer))) == limit);
    }
    core::AlarmLimits limits;
    limits.PhHigh = *high;
    limits.PhLow = *low;
    limits.PhAlarmOn = true;
    core::MeterReading reading;
    core::PanelState panel;
    panel.LblUpUnit = "pH";
    panel.LblUpValue = std::string(caption);
    // The caption's value as the render writes it: dashes are over-range, a whole number a
    // number, any other text no reading.
    const std::optional<double> value = core::WholeNumber(caption);
    panel.Shown.upperUnit = core::MainUnit::Ph;
    if (caption.find("- -") != std::string_view::npos)
        panel.Shown.upper = core::ShownOverRange(false);
    else if (value)
        panel.Shown.upper = core::ShownNumber(*value);
    panel.LblUOver = selector & 1;
    panel.LblUUnder = selector & 2;
    const bool over = panel.LblUOver, under = panel.LblUUnder;
    core::EvaluateAlarm(reading, limits, panel);
    require(limits.PhAlarmOn);
    if (caption.find("- -") != std::string_view::npos) {
        require(!panel.LblUOver && !panel.LblUUnder);
    } else if (!value) {
        require(panel.LblUOver == over && panel.LblUUnder == under);
    } else if (*value > *high) {
        require(panel.LblUOver == !over && !panel.LblUUnder);
    } else if (*value < *low) {
        require(panel.LblUUnder == !under && !panel.LblUOver);
    } else {
        require(!panel.LblUOver && !panel.LblUUnder);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::uint8_t selector = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    std::vector<std::string_view> f;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find('\n', start);
        f.push_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    while (f.size() < 12) f.emplace_back();

    for (const std::string_view field : f) checkNumber(field);
    checkSampling(f[0]);
    checkLoggingInterval(f[1]);
    checkLiveRange(f[2], f[3], f[4]);
    checkPlotRange({f[5], f[6], f[7], f[8], f[11]}, selector);
    checkAlarm(f[9], f[10], f[11], selector);
    return 0;
}
