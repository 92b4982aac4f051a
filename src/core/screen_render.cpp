#include "core/screen_render.h"

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

void renderClock(MeterReading& r, const std::string& upper, const std::string& lower,
                 const std::string& small, PanelState& p) {
    p.LblUpUnit.clear();
    p.LblAutoVisible = false;
    FormatUpperDigits(r, upper);
    p.LblUpValue = r.UpperText;
    FormatClockDigits(r, lower);
    p.LblDownLeftValue = r.ClockText;
    SetSmallText(r, small);
    p.LblDownRightValue = r.SmallText;
}

void renderInterval(const MeterReading& r, const std::string& upper, const std::string& lower,
                    PanelState& p) {
    p.LblAutoVisible = false;
    p.LblUpValue = (r.UpperLeadingOne == 1 ? "1" : "") + rebuildDigits(upper);
    std::string separator;
    std::size_t lowerChars = 4;
    if (upper == "EEEE") {
        if (r.IsCelsius == 1) {
            p.LblAutoVisible = true;
            p.Lblfc = "'C";
            separator = ".";
        } else {
            p.LblUpValue = "INTV";
            p.Lblfc.clear();
        }
        lowerChars = 3;
    } else {
        p.Lblfc.clear();
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
    p.LblDownLeftValue = text;
    p.LblDownRightValue.clear();
}

void renderCalibration(const MeterReading& r, const std::string& upper, const std::string& lower,
                       const std::string& small, PanelState& p) {
    const std::string u = (r.UpperLeadingOne == 1 ? "1" : "") + rebuildDigits(upper);
    if (r.IsMV == 1) {
        p.LblAuto = "MTC";
        p.LblUpUnit = "mV";
        p.LblUpValue = FormatPicture(NumericValue(u) * 1e-1, "#000.0");
    } else if (r.IsPH == 1) {
        p.LblAuto = "MTC";
        p.LblUpUnit = "pH";
        p.LblUpValue = FormatPicture(NumericValue(u) * 1e-3, "#.000");
    } else {
        p.LblUpUnit.clear();
        p.LblUpValue = u;
    }
    const std::string t = (r.LowerLeadingOne == 1 ? "1" : "") + rebuildDigits(lower);
    if (r.IsCelsius == 1) {
        p.LblAuto = "MTC";
        p.Lblfc = "'C";
        p.LblDownLeftValue = FormatPicture(NumericValue(t) * 1e-1, "#00.0");
    } else {
        if (r.IsMV != 1 && r.IsPH != 1) p.LblAuto.clear();
        p.Lblfc.clear();
        p.LblDownLeftValue = chars(t, 1, 2) + ":" + chars(t, 3, 2);
        p.LblDownRightValue = small == "EE" ? std::string() : small;
    }
}

void renderMeasurement(MeterReading& r, std::string upper, std::string lower, PanelState& p) {
    p.LblAutoVisible = true;
    DigitsToValue(r, upper);
    const bool overRange = upper.size() >= 4 && upper.compare(upper.size() - 4, 4, "FFFF") == 0;
    if (r.IsMV == 1) {
        p.LblUpUnit = "mV";
        if (overRange)
            p.LblUpValue = r.IsNegative == 1 ? "- - - - . -" : "- - - . -";
        else
            p.LblUpValue = FormatPicture(r.MainValue, "000.0");
    } else if (r.IsPH == 1) {
        p.LblUpUnit = "pH";
        if (overRange)
            p.LblUpValue = r.IsNegative == 1 ? "- - . - - -" : "- . - - -";
        else
            p.LblUpValue = FormatPicture(r.MainValue, "0.000");
    } else {
        p.LblUpUnit.clear();
    }
    p.LblAuto = r.IsManualTemp == 1 ? "MTC" : "ATC";
    p.Lblfc = r.IsFahrenheit == 1 ? "'F" : r.IsCelsius == 1 ? "'C" : "";
    DigitsToTemperature(r, lower);
    p.LblDownLeftValue = FormatPicture(r.TempValue, "00.0");
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
    for (bool PanelState::*mark :
         {&PanelState::LblA, &PanelState::LblM, &PanelState::LblR, &PanelState::LblCal,
          &PanelState::LblAdj, &PanelState::LblTest, &PanelState::LblDate, &PanelState::LblBt,
          &PanelState::LblUOver, &PanelState::LblUUnder, &PanelState::LblDOver,
          &PanelState::LblDUnder})
        p.*mark = false;
}

}  // namespace core
