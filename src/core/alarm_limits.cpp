#include "core/alarm_limits.h"

namespace core {
namespace {

// Drives one pair of marks from a shown value. The over-range dashes hide both; a field that
// shows no number leaves them as they are for this tick.
void compare(const ShownValue& shown, double high, double low, bool& over, bool& under) {
    if (shown.kind == ShownValue::Kind::OverRange) {
        over = under = false;
        return;
    }
    if (shown.kind != ShownValue::Kind::Number) return;
    const double value = shown.number;
    if (value > high) {
        over = !over;
        under = false;
    } else if (value < low) {
        under = !under;
        over = false;
    } else {
        over = under = false;
    }
}

}  // namespace

void EvaluateAlarm(const MeterReading& r, AlarmLimits& a, PanelState& p) {
    const ShownReading& shown = p.Shown;
    if (r.ClockMode == 1 || r.IntervalMode == 1 || r.CalMode == 1) {
        a.PhAlarmOn = a.MvAlarmOn = a.CAlarmOn = a.FAlarmOn = false;
        return;
    }

    if (a.PhAlarmOn) {
        if (shown.upperUnit != MainUnit::Ph) {
            a.PhAlarmOn = false;
            return;
        }
        compare(shown.upper, a.PhHigh, a.PhLow, p.LblUOver, p.LblUUnder);
    } else if (a.MvAlarmOn) {
        if (shown.upperUnit != MainUnit::Mv) {
            a.MvAlarmOn = false;
            return;
        }
        compare(shown.upper, a.MvHigh, a.MvLow, p.LblUOver, p.LblUUnder);
    } else {
        p.LblUOver = p.LblUUnder = false;
    }

    if (a.CAlarmOn) {
        if (shown.temperatureUnit != TempUnit::Celsius) {
            a.CAlarmOn = false;
            return;
        }
        compare(shown.temperature, a.CHigh, a.CLow, p.LblDOver, p.LblDUnder);
    } else if (a.FAlarmOn) {
        if (shown.temperatureUnit != TempUnit::Fahrenheit) {
            a.FAlarmOn = false;
            return;
        }
        compare(shown.temperature, a.FHigh, a.FLow, p.LblDOver, p.LblDUnder);
    } else {
        p.LblDOver = p.LblDUnder = false;
    }
}

}  // namespace core
