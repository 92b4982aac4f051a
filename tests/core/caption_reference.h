#pragma once

// The panel's reading taken from its caption texts, as the limit alarm and the live graphs read
// it before the render wrote the values beside the captions. The tests hold the typed values to
// these readings.

#include <optional>
#include <string>
#include <string_view>

#include "core/alarm_limits.h"
#include "core/text_rules.h"
#include "core/value_height.h"

namespace reference {

// A value caption: a dash pattern is over-range, a whole number a number, anything else none.
inline core::ShownValue ShownOfCaption(std::string_view caption) {
    if (caption.find("- -") != std::string_view::npos)
        return core::ShownOverRange(caption == "- - . - - -" || caption == "- - - - . -");
    if (const std::optional<double> value = core::WholeNumber(caption))
        return core::ShownNumber(*value);
    return {};
}

inline core::ShownReading ShownOfCaptions(const core::PanelState& p) {
    core::ShownReading shown;
    shown.upper = ShownOfCaption(p.LblUpValue);
    shown.upperUnit = p.LblUpUnit == "pH"   ? core::MainUnit::Ph
                      : p.LblUpUnit == "mV" ? core::MainUnit::Mv
                                            : core::MainUnit::None;
    shown.temperature = ShownOfCaption(p.LblDownLeftValue);
    shown.temperatureUnit = p.Lblfc == "'C"   ? core::TempUnit::Celsius
                            : p.Lblfc == "'F" ? core::TempUnit::Fahrenheit
                                              : core::TempUnit::None;
    return shown;
}

// The panel with its values written from its captions, as the render leaves it.
inline void SyncShown(core::PanelState& p) {
    p.Shown = ShownOfCaptions(p);
}

// The limit alarm on the captions.
inline void CompareCaption(const std::string& caption, double high, double low, bool& over,
                           bool& under) {
    if (caption.find("- -") != std::string::npos) {
        over = under = false;
        return;
    }
    const std::optional<double> value = core::WholeNumber(caption);
    if (!value) return;
    if (*value > high) {
        over = !over;
        under = false;
    } else if (*value < low) {
        under = !under;
        over = false;
    } else {
        over = under = false;
    }
}

inline void EvaluateAlarmOnCaptions(const core::MeterReading& r, core::AlarmLimits& a,
                                    core::PanelState& p) {
    if (r.ClockMode == 1 || r.IntervalMode == 1 || r.CalMode == 1) {
        a.PhAlarmOn = a.MvAlarmOn = a.CAlarmOn = a.FAlarmOn = false;
        return;
    }
    if (a.PhAlarmOn) {
        if (p.LblUpUnit != "pH") {
            a.PhAlarmOn = false;
            return;
        }
        CompareCaption(p.LblUpValue, a.PhHigh, a.PhLow, p.LblUOver, p.LblUUnder);
    } else if (a.MvAlarmOn) {
        if (p.LblUpUnit != "mV") {
            a.MvAlarmOn = false;
            return;
        }
        CompareCaption(p.LblUpValue, a.MvHigh, a.MvLow, p.LblUOver, p.LblUUnder);
    } else {
        p.LblUOver = p.LblUUnder = false;
    }
    if (a.CAlarmOn) {
        if (p.Lblfc != "'C") {
            a.CAlarmOn = false;
            return;
        }
        CompareCaption(p.LblDownLeftValue, a.CHigh, a.CLow, p.LblDOver, p.LblDUnder);
    } else if (a.FAlarmOn) {
        if (p.Lblfc != "'F") {
            a.FAlarmOn = false;
            return;
        }
        CompareCaption(p.LblDownLeftValue, a.FHigh, a.FLow, p.LblDOver, p.LblDUnder);
    } else {
        p.LblDOver = p.LblDUnder = false;
    }
}

// A live graph's value of a sample, read from its caption.
inline double GraphValueOfCaption(const core::PanelState& p, core::Quantity quantity) {
    return core::PlotValue(
        quantity == core::Quantity::Temperature ? p.LblDownLeftValue : p.LblUpValue, quantity);
}

}  // namespace reference
