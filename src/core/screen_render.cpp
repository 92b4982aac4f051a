#include "core/screen_render.h"

#include <string_view>
#include <utility>

#include "core/text_rules.h"

namespace core {
namespace {

// A digit text rebuilt for display: "E" (blank) becomes two spaces, "F" (dash) becomes `dash`.
std::string rebuildDigits(const std::string& digits, const std::string& dash = "-") {
    std::string text;
    for (char c : digits) {
        if (c == 'E')
            text += "  ";
        else if (c == 'F')
            text += dash;
        else
            text += c;
    }
    return text;
}

// Characters `from` (1-based) and on, `count` of them, padded with blanks when short.
std::string chars(const std::string& text, std::size_t from, std::size_t count) {
    std::string part = from - 1 < text.size() ? text.substr(from - 1, count) : std::string();
    part.resize(count, ' ');
    return part;
}

// The unit fields, caption and value together.
void showMainUnit(PanelState& p, MainUnit unit) {
    p.LblUpUnit = unit == MainUnit::Ph ? "pH" : unit == MainUnit::Mv ? "mV" : "";
    p.Shown.upperUnit = unit;
}

void showTempUnit(PanelState& p, TempUnit unit) {
    p.Lblfc = unit == TempUnit::Fahrenheit ? "'F" : unit == TempUnit::Celsius ? "'C" : "";
    p.Shown.temperatureUnit = unit;
}

// A value field showing `value` by `picture`, with the number its text reads.
void showNumber(std::string& caption, ShownValue& shown, double value, std::string_view picture) {
    caption = FormatPicture(value, picture);
    shown = ShownNumber(PictureValue(value, picture));
}

// A value field showing a text that is no reading.
void showText(std::string& caption, ShownValue& shown, std::string text) {
    caption = std::move(text);
    shown = ShownValue{};
}

void renderClock(MeterReading& r, const std::string& upper, const std::string& lower,
                 const std::string& small, PanelState& p) {
    showMainUnit(p, MainUnit::None);
    p.LblAutoVisible = false;
    FormatUpperDigits(r, upper);
    showText(p.LblUpValue, p.Shown.upper, r.UpperText);
    FormatClockDigits(r, lower);
    showText(p.LblDownLeftValue, p.Shown.temperature, r.ClockText);
    SetSmallText(r, small);
    p.LblDownRightValue = r.SmallText;
}

void renderInterval(const MeterReading& r, const std::string& upper, const std::string& lower,
                    PanelState& p) {
    p.LblAutoVisible = false;
    showText(p.LblUpValue, p.Shown.upper,
             (r.UpperLeadingOne == 1 ? "1" : "") + rebuildDigits(upper));
    std::string separator;
    std::size_t lowerChars = 4;
    if (upper == "EEEE") {
        if (r.IsCelsius == 1) {
            p.LblAutoVisible = true;
            showTempUnit(p, TempUnit::Celsius);
            separator = ".";
        } else {
            p.LblUpValue = "INTV";
            showTempUnit(p, TempUnit::None);
        }
        lowerChars = 3;
    } else {
        showTempUnit(p, TempUnit::None);
        separator = ":";
    }
    std::string text;
    for (std::size_t i = 1; i <= lowerChars && i <= lower.size(); ++i) {
        const char c = lower[i - 1];
        if (i == 3) text += separator;
        if (c == 'E')
            text += "  ";
        else if (c == 'F')
            text += separator;
        else
            text += c;
    }
    showText(p.LblDownLeftValue, p.Shown.temperature, text);
    p.LblDownRightValue.clear();
}

void renderCalibration(const MeterReading& r, const std::string& upper, const std::string& lower,
                       const std::string& small, PanelState& p) {
    const std::string u = (r.UpperLeadingOne == 1 ? "1" : "") + rebuildDigits(upper);
    if (r.IsMV == 1) {
        p.LblAuto = "MTC";
        showMainUnit(p, MainUnit::Mv);
        showNumber(p.LblUpValue, p.Shown.upper, NumericValue(u) * 1e-1, "#000.0");
    } else if (r.IsPH == 1) {
        p.LblAuto = "MTC";
        showMainUnit(p, MainUnit::Ph);
        showNumber(p.LblUpValue, p.Shown.upper, NumericValue(u) * 1e-3, "#.000");
    } else {
        // The raw digits of the step, no reading.
        showMainUnit(p, MainUnit::None);
        showText(p.LblUpValue, p.Shown.upper, u);
    }
    const std::string t = (r.LowerLeadingOne == 1 ? "1" : "") + rebuildDigits(lower);
    if (r.IsCelsius == 1) {
        p.LblAuto = "MTC";
        showTempUnit(p, TempUnit::Celsius);
        showNumber(p.LblDownLeftValue, p.Shown.temperature, NumericValue(t) * 1e-1, "#00.0");
    } else {
        if (r.IsMV != 1 && r.IsPH != 1) p.LblAuto.clear();
        showTempUnit(p, TempUnit::None);
        showText(p.LblDownLeftValue, p.Shown.temperature, chars(t, 1, 2) + ":" + chars(t, 3, 2));
        p.LblDownRightValue = small == "EE" ? std::string() : small;
    }
}

void renderMeasurement(MeterReading& r, std::string upper, std::string lower, PanelState& p) {
    p.LblAutoVisible = true;
    DigitsToValue(r, upper);
    const bool overRange = upper.size() >= 4 && upper.compare(upper.size() - 4, 4, "FFFF") == 0;
    if (r.IsMV == 1) {
        showMainUnit(p, MainUnit::Mv);
        if (overRange) {
            p.LblUpValue = r.IsNegative == 1 ? "- - - - . -" : "- - - . -";
            p.Shown.upper = ShownOverRange(r.IsNegative == 1);
        } else {
            showNumber(p.LblUpValue, p.Shown.upper, r.MainValue, "000.0");
        }
    } else if (r.IsPH == 1) {
        showMainUnit(p, MainUnit::Ph);
        if (overRange) {
            p.LblUpValue = r.IsNegative == 1 ? "- - . - - -" : "- . - - -";
            p.Shown.upper = ShownOverRange(r.IsNegative == 1);
        } else {
            showNumber(p.LblUpValue, p.Shown.upper, r.MainValue, "0.000");
        }
    } else {
        // The value field keeps its text (and its value) without a unit.
        showMainUnit(p, MainUnit::None);
    }
    p.LblAuto = r.IsManualTemp == 1 ? "MTC" : "ATC";
    showTempUnit(p, r.IsFahrenheit == 1 ? TempUnit::Fahrenheit
                    : r.IsCelsius == 1  ? TempUnit::Celsius
                                        : TempUnit::None);
    DigitsToTemperature(r, lower);
    showNumber(p.LblDownLeftValue, p.Shown.temperature, r.TempValue, "00.0");
    if (r.MemoryMark == 0 && r.RecallMark == 0) p.LblDownRightValue.clear();
}

}  // namespace

void RenderFrame(const DisplayFrame& frame, MeterReading& r, PanelState& p) {
    int statusA = frame.statusA();
    int statusB = frame.statusB();
    DecodeStatusA(r, statusA);
    DecodeStatusB(r, statusB);
    const std::string upper = frame.upperDigits();
    const std::string lower = frame.lowerDigits();
    const std::string small = frame.smallDigits();

    if (small == "EE") p.LblDownRightValue.clear();
    p.LblDate = upper[1] == 'F' && upper[0] != 'F' && r.CalMode != 1;

    if (r.ClockMode == 1)
        renderClock(r, upper, lower, small, p);
    else if (r.IntervalMode == 1)
        renderInterval(r, upper, lower, p);
    else if (r.CalMode == 1)
        renderCalibration(r, upper, lower, small, p);
    else
        renderMeasurement(r, upper, lower, p);
}

void StepAnnunciators(const DisplayFrame& frame, const MeterReading& r, PanelState& p) {
    const std::string small = frame.smallDigits();
    p.LblBt = r.LowBattery == 1;
    p.LblM = r.MemoryMark == 1;
    if (p.LblM) p.LblDownRightValue = small;
    p.LblR = r.RecallMark == 1;
    if (p.LblR) p.LblDownRightValue = small;
    p.LblCal = p.LblAdj = r.CalMode == 1;
    if (r.AutoSteady == 1) {
        p.LblA = true;
        p.LblTest = false;
    } else if (r.AutoBlink == 1) {
        p.LblA = !p.LblA;
        p.LblTest = false;
    } else {
        p.LblA = false;
        p.LblTest = !(r.ClockMode == 1 || r.IntervalMode == 1);
    }
}

void ClearDisplayForLostLink(PanelState& p) {
    p.LblDownLeftValue.clear();
    p.LblDownRightValue.clear();
    p.LblUpValue.clear();
    p.LblUpUnit.clear();
    p.Lblfc.clear();
    p.LblAuto.clear();
    p.LblAutoVisible = false;
    p.Shown = ShownReading{};
    for (bool PanelState::*mark :
         {&PanelState::LblA, &PanelState::LblM, &PanelState::LblR, &PanelState::LblCal,
          &PanelState::LblAdj, &PanelState::LblTest, &PanelState::LblDate, &PanelState::LblBt,
          &PanelState::LblUOver, &PanelState::LblUUnder, &PanelState::LblDOver,
          &PanelState::LblDUnder})
        p.*mark = false;
}

}  // namespace core
