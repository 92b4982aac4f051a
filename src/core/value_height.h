#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/panel_state.h"

// Where a reading lies on the live graphs and on the stored-data plots, and how their value
// labels read. Heights are twips in the drawing (y grows downwards).
namespace core {

// The quantity a graph or plot draws.
enum class Quantity { Ph, Mv, Temperature };

// Fixed geometry shared by the live graphs and the plots, in twips.
inline constexpr double kGraphLeftX = 1000;      // first point of a trace
inline constexpr double kGraphMiddleX = 3000;    // middle of the time axis
inline constexpr double kGraphRightX = 5000;     // last point of a trace
inline constexpr double kTopLineY = 1000;        // MaxValue
inline constexpr double kMiddleLineY = 2500;     // (MaxValue + MinValue) / 2
inline constexpr double kBaseLineY = 4000;       // MinValue; the zero line of mirrored scales
inline constexpr double kLowMiddleLineY = 5500;  // -(MaxValue + MinValue) / 2, mirrored scales
inline constexpr double kBottomLineY = 7000;     // -MaxValue, mirrored scales
inline constexpr double kAboveTopY = 900;        // readings above MaxValue
inline constexpr double kBelowBottomY = 7100;    // negative readings beyond -MaxValue

// The values at the top line (y 1000) and at the base line (y 4000).
struct ValueScale {
    double MaxValue = 0;
    double MinValue = 0;
};

// How readings below the base line are drawn.
enum class HeightForm {
    // Everything below MinValue lies on the base line: the live pH and temperature graphs.
    BaseLine,
    // Negative readings mirror the band above into 4000..7000 by their size: the live mV graph
    // and all three stored-data plots.
    Mirrored,
};

// Height of value v, clamped: between MinValue and MaxValue in 1000..4000, above MaxValue at
// 900, below MinValue on the base line; in the mirrored form a negative v lies at
// 4000 + 3000 * (-v - MinValue) / (MaxValue - MinValue), at least 4000, and at 7100 beyond 7000.
// A MaxValue below MinValue turns the scale upside down. Nothing when MaxValue equals
// MinValue (there is no scale: draw the labels only) or the scale is not finite.
std::optional<double> ValueHeight(double v, const ValueScale& scale, HeightForm form);

// The base-line form before clamping, as the live pH and temperature graphs place the first
// point of a trace: 4000 - (v - MinValue) * 3000 / (MaxValue - MinValue).
std::optional<double> UnclampedHeight(double v, const ValueScale& scale);

// The base-line form's clamping of a height: below 4000 onto 4000, above 1000 to 900.
double ClampToBaseLineForm(double y);

// Value of a reading text, as the plots read a list cell.
// The over-range dashes stand for values beyond every scale (exact comparison): pH
// "- . - - -" 18 and "- - . - - -" -18, mV "- - - . -" 4000 and "- - - - . -" -4000;
// temperature has none. Any other text gives its NumericValue.
double PlotValue(std::string_view text, Quantity quantity);
// The same for the panel's shown reading, as the live graphs take it: the upper field for pH and
// mV, where its over-range dashes count when they are the quantity's own; the temperature field
// for temperature. A field that shows no number gives 0, as its text would.
double PlotValue(const ShownReading& shown, Quantity quantity);

// Label text of a number: plain decimal with no exponent, no trailing zeros and at most 15
// significant digits, never "-0": 14, 7, 0, 7.5, 2000, -1000, 0.1. Empty for a non-finite value.
std::string ScaleLabelText(double value);

// The five value labels of a scale: top (MaxValue), middle ((MaxValue + MinValue) / 2) and base
// (MinValue); the mirrored scales also label -middle at y 5500 and -MaxValue at y 7000.
struct ScaleLabels {
    std::string top;
    std::string middle;
    std::string base;
    std::string lowMiddle;
    std::string bottom;
};
ScaleLabels ScaleLabelTexts(const ValueScale& scale);

}  // namespace core
