#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Text rules shared by the display readout, the memory downloads and the dialogs.
namespace core {

// Two-character upper-case hexadecimal text of a byte with a leading zero: 0x07 -> "07".
// A BCD byte gives its two decimal digits; nibbles E (blank) and F (dash) keep their letters.
std::string Hex2(std::uint8_t byte);

// Numeric value of a text: blanks removed, then the longest leading decimal number
// (optional sign, digits, optional point and digits) is taken; 0 when there is none.
// The point is always the decimal separator, whatever the locale.
double NumericValue(std::string_view text);

// The whole text (surrounding blanks allowed) as a finite decimal number, or nothing.
// For typed values that must be numbers: "12abc", "abc", "NaN", "1e999" and "" give nothing.
std::optional<double> WholeNumber(std::string_view text);

// Whether a reading text is the meter's over-range dashes: only dashes, points and blanks, with
// at least one dash ("- . - - -", "- - - - . -").
bool IsDashText(std::string_view text);

// Formats `value` by a numeric picture such as "0.000", "#000.0", "00": "0" is a digit always
// shown, "#" a digit shown only when significant, "." the decimal point; the value is rounded
// to the picture's decimals, half away from zero. The point is always ".".
std::string FormatPicture(double value, std::string_view picture);

// The number FormatPicture's text of `value` reads as: `value` rounded the same way, the nearest
// double to the decimal shown (a rounded zero is +0, as "0.000" reads).
double PictureValue(double value, std::string_view picture);

// Decimal text of a whole number without leading zeros.
std::string DecimalText(long long value);

}  // namespace core
