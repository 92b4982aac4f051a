#include "core/value_height.h"

#include <charconv>
#include <cmath>

#include "core/text_rules.h"

namespace core {

namespace {

constexpr double kBandHeight = kBaseLineY - kTopLineY;  // 3000 twips from MinValue to MaxValue

// The scale's span, or nothing when it cannot place a value.
std::optional<double> spanOf(const ValueScale& scale) {
    const double span = scale.MaxValue - scale.MinValue;
    if (span == 0 || !std::isfinite(span)) return std::nullopt;
    return span;
}

// A value's middle between two finite numbers without overflowing on huge ones.
double middleOf(double a, double b) {
    const double sum = a + b;
    return std::isfinite(sum) ? sum / 2 : a / 2 + b / 2;
}

}  // namespace

// Heights divide by the span before scaling to the band: MaxValue then lies exactly on the top
// line (span / span is 1, while span * 3000 / span can miss 3000 by a rounding and drop the
// reading to the above-the-top mark), and huge scales do not overflow.
std::optional<double> UnclampedHeight(double v, const ValueScale& scale) {
    const std::optional<double> span = spanOf(scale);
    if (!span || std::isnan(v)) return std::nullopt;
    return kBaseLineY - (v - scale.MinValue) / *span * kBandHeight;
}

double ClampToBaseLineForm(double y) {
    if (y > kBaseLineY) y = kBaseLineY;
    if (y < kTopLineY) y = kAboveTopY;
    return y;
}

std::optional<double> ValueHeight(double v, const ValueScale& scale, HeightForm form) {
    const std::optional<double> span = spanOf(scale);
    if (!span || std::isnan(v)) return std::nullopt;
    if (form == HeightForm::Mirrored && v < 0) {
        double y = kBaseLineY + (-v - scale.MinValue) / *span * kBandHeight;
        if (y < kBaseLineY) y = kBaseLineY;
        if (y > kBottomLineY) y = kBelowBottomY;
        return y;
    }
    return ClampToBaseLineForm(kBaseLineY - (v - scale.MinValue) / *span * kBandHeight);
}

double PlotValue(std::string_view text, Quantity quantity) {
    switch (quantity) {
        case Quantity::Ph:
            if (text == "- . - - -") return 18;
            if (text == "- - . - - -") return -18;
            break;
        case Quantity::Mv:
            if (text == "- - - . -") return 4000;
            if (text == "- - - - . -") return -4000;
            break;
        case Quantity::Temperature:
            break;
    }
    return NumericValue(text);
}

double PlotValue(const ShownReading& shown, Quantity quantity) {
    const ShownValue& field = quantity == Quantity::Temperature ? shown.temperature : shown.upper;
    switch (field.kind) {
        case ShownValue::Kind::Number:
            return field.number;
        case ShownValue::Kind::OverRange:
            if (quantity == Quantity::Ph && shown.upperUnit == MainUnit::Ph)
                return field.negative ? -18 : 18;
            if (quantity == Quantity::Mv && shown.upperUnit == MainUnit::Mv)
                return field.negative ? -4000 : 4000;
            break;
        case ShownValue::Kind::None:
            break;
    }
    return 0;
}

std::string ScaleLabelText(double value) {
    if (!std::isfinite(value)) return {};
    if (value == 0) return "0";  // also -0
    // 15 significant digits in scientific form, "d.dddddddddddddde±x", the same in every locale.
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view text(buffer, written.ptr - buffer);
    const std::size_t e = text.find('e');
    std::string digits = std::string(1, text[0]) + std::string(text.substr(2, e - 2));
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + (text[e + 1] == '+' ? 2 : 1));
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    // The number is 0.<digits> x 10^(exponent + 1): place the point among the digits.
    const int whole = exponent + 1;
    std::string out;
    if (whole <= 0) {
        out = "0." + std::string(-whole, '0') + digits;
    } else if (whole >= static_cast<int>(digits.size())) {
        out = digits + std::string(whole - digits.size(), '0');
    } else {
        out = digits.substr(0, whole) + "." + digits.substr(whole);
    }
    return value < 0 ? "-" + out : out;
}

ScaleLabels ScaleLabelTexts(const ValueScale& scale) {
    const double middle = middleOf(scale.MaxValue, scale.MinValue);
    return {ScaleLabelText(scale.MaxValue), ScaleLabelText(middle), ScaleLabelText(scale.MinValue),
            ScaleLabelText(-middle), ScaleLabelText(-scale.MaxValue)};
}

}  // namespace core
