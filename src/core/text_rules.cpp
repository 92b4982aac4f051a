#include "core/text_rules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace core {

std::string Hex2(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Length of the longest leading decimal number in `s` (no blanks inside), 0 when none.
std::size_t leadingNumberLength(std::string_view s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
    std::size_t end = digits > 0 ? i : 0;
    if (i < s.size() && s[i] == '.') {
        ++i;
        std::size_t fraction = 0;
        while (i < s.size() && isDigit(s[i])) ++i, ++fraction;
        if (digits + fraction > 0) end = i;
    }
    return end;
}

// strtod on a copy, independent of the C locale's decimal point: the text holds only a sign,
// digits and at most one point, which the "C" style parse below handles exactly.
double parseDecimal(std::string_view number) {
    double value = 0.0;
    std::size_t i = 0;
    bool negative = false;
    if (i < number.size() && (number[i] == '+' || number[i] == '-')) negative = number[i++] == '-';
    std::string digits;
    int exponent = 0;
    bool afterPoint = false;
    for (; i < number.size(); ++i) {
        if (number[i] == '.') {
            afterPoint = true;
            continue;
        }
        digits += number[i];
        if (afterPoint) --exponent;
    }
    // Build "digitsE<exponent>" and let the C library round it correctly; "e" notation is the
    // same in every locale.
    const std::string text = (digits.empty() ? "0" : digits) + "e" + std::to_string(exponent);
    value = std::strtod(text.c_str(), nullptr);
    return negative ? -value : value;
}

// The whole number nearest |value| x 10^decimals, halves away from zero, as decimal digits.
// Rounding works on the value's first 15 significant digits, the precision a double holds for
// every decimal: a reading of 25.35 (stored as 25.3499999...) rounds the way it reads, and large
// values keep their last digit, which scaling and nudging the binary value would not.
std::string scaledDigits(double value, int decimals) {
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, 14);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    // "d.ddde+xx" or "de+xx": the significant digits and the power of ten of the first one.
    const std::size_t e = text.find('e');
    std::string significant(1, text[0]);
    if (e > 1) significant += text.substr(2, e - 2);
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + (text[e + 1] == '+' ? 2 : 1));
    std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

    // Digits from the first significant one down to the unit of the last decimal.
    const long kept = static_cast<long>(exponent) + decimals + 1;
    if (kept < 0 || (kept == 0 && significant[0] < '5')) return "0";
    if (kept == 0) return "1";
    std::string digits = significant.substr(
        0, static_cast<std::size_t>(std::min<long>(kept, long(significant.size()))));
    if (static_cast<long>(digits.size()) < kept)
        digits.append(std::size_t(kept) - digits.size(), '0');
    if (static_cast<long>(significant.size()) > kept && significant[std::size_t(kept)] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(0, 1, '1');
        else
            ++digits[i - 1];
    }
    return digits;
}

}  // namespace

double NumericValue(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text)
        if (c != ' ' && c != '\t') compact += c;
    const std::size_t length = leadingNumberLength(compact);
    if (length == 0) return 0.0;
    const double value = parseDecimal(std::string_view(compact).substr(0, length));
    return std::isfinite(value) ? value : 0.0;
}

std::optional<double> WholeNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    if (text.empty()) return std::nullopt;
    if (leadingNumberLength(text) != text.size()) return std::nullopt;
    const double value = parseDecimal(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

bool IsDashText(std::string_view text) {
    return text.find('-') != std::string_view::npos &&
           text.find_first_not_of("-. \t") == std::string_view::npos;
}

std::string DecimalText(long long value) {
    return std::to_string(value);
}

namespace {

int decimalsOf(std::string_view picture) {
    const std::size_t point = picture.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(picture.size() - point - 1);
}

}  // namespace

std::string FormatPicture(double value, std::string_view picture) {
    const std::size_t point = picture.find('.');
    const std::string_view integerPart = picture.substr(0, point);
    const int decimals = decimalsOf(picture);
    int minIntegerDigits = 0;
    for (char c : integerPart)
        if (c == '0') ++minIntegerDigits;

    if (!std::isfinite(value)) value = 0.0;
    // The digits of the value scaled by 10^decimals, rounded half away from zero.
    std::string digits = scaledDigits(value, decimals);
    const bool negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;

    if (static_cast<int>(digits.size()) <= decimals)
        digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - decimals);
    const std::string fraction = digits.substr(digits.size() - decimals);

    // Drop insignificant leading zeros of the whole part down to the picture's minimum.
    std::size_t firstSignificant = whole.find_first_not_of('0');
    if (firstSignificant == std::string::npos) firstSignificant = whole.size();
    whole = whole.substr(firstSignificant);
    if (static_cast<int>(whole.size()) < minIntegerDigits)
        whole.insert(0, minIntegerDigits - whole.size(), '0');

    std::string result = negative ? "-" : "";
    result += whole;
    if (point != std::string_view::npos) result += "." + fraction;
    return result;
}

double PictureValue(double value, std::string_view picture) {
    const int decimals = decimalsOf(picture);
    if (!std::isfinite(value)) value = 0.0;
    // The shown digits over 10^decimals, correctly rounded as parseDecimal reads the shown text
    // (no point in the text: the same in every locale); the sign only on a value that does not
    // round to zero, as FormatPicture writes it.
    const std::string digits = scaledDigits(value, decimals);
    const bool negative = value < 0 && digits.find_first_not_of('0') != std::string::npos;
    const std::string text = digits + "e" + std::to_string(-decimals);
    const double magnitude = std::strtod(text.c_str(), nullptr);
    return negative ? -magnitude : magnitude;
}

}  // namespace core
