#pragma once

#include <cstdint>
#include <string>

namespace core {

// A value field read as a reading: the number its caption shows, the meter's over-range dashes,
// or no reading at all (a blank field, a clock or interval text, a calibration step's raw
// digits). The render writes it beside the caption, so that the alarm and the live graphs take
// the value without reading the text back.
struct ShownValue {
    enum class Kind : std::uint8_t { None, Number, OverRange };
    Kind kind = Kind::None;
    // Number: the value exactly as its caption reads, rounded to the decimals shown.
    double number = 0;
    // OverRange: the negative dash pattern ("- - . - - -", "- - - - . -").
    bool negative = false;

    bool operator==(const ShownValue&) const = default;
};

inline ShownValue ShownNumber(double value) {
    return {ShownValue::Kind::Number, value, false};
}
inline ShownValue ShownOverRange(bool negative) {
    return {ShownValue::Kind::OverRange, 0, negative};
}

// The unit captions as values: LblUpUnit "", "pH", "mV" and Lblfc "", "'C", "'F".
enum class MainUnit : std::uint8_t { None, Ph, Mv };
enum class TempUnit : std::uint8_t { None, Celsius, Fahrenheit };

// The reading the panel shows, field by field. Until the first frame the design texts stand,
// which are no reading.
struct ShownReading {
    ShownValue upper;                           // LblUpValue
    MainUnit upperUnit = MainUnit::None;        // LblUpUnit
    ShownValue temperature;                     // LblDownLeftValue
    TempUnit temperatureUnit = TempUnit::None;  // Lblfc

    bool operator==(const ShownReading&) const = default;
};

// Captions and visibilities of the front panel's display fields: what one poll tick renders.
// The panel window mirrors this onto its labels. Start values are the design texts.
struct PanelState {
    std::string LblUpValue = "9999";
    std::string LblUpUnit = "mV";
    std::string LblDownLeftValue = "199.99";
    std::string LblDownRightValue = "99";
    std::string LblAuto = "ATC";
    std::string Lblfc = "'F";
    bool LblAutoVisible = true;

    bool LblA = true;
    bool LblM = true;
    bool LblR = true;
    bool LblCal = true;
    bool LblAdj = true;
    bool LblTest = true;
    bool LblDate = true;
    bool LblBt = true;
    bool LblUOver = true;
    bool LblUUnder = true;
    bool LblDOver = true;
    bool LblDUnder = true;

    // The value and unit fields above as values, written with their captions.
    ShownReading Shown;

    bool operator==(const PanelState&) const = default;
};

}  // namespace core
