#include "core/alarm_limits.h"

#include "core/text_rules.h"

namespace core {
namespace {

// Drives one pair of marks from a caption. A dash pattern hides both; a caption that is not a
// number leaves them as they are for this tick.
void compare(const std::string& caption, double high, double low, bool& over, bool& under) {
    if (caption.find("- -") != std::string::npos) {
        over = under = false;
        return;
    }
    const std::optional<double> value = WholeNumber(caption);
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

}  // namespace

void EvaluateAlarm(const MeterReading& r, AlarmLimits& a, PanelState& p) {
    if (r.ClockMode == 1 || r.IntervalMode == 1 || r.CalMode == 1) {
        a.PhAlarmOn = a.MvAlarmOn = a.CAlarmOn = a.FAlarmOn = false;
        return;
    }

    if (a.PhAlarmOn) {
        if (p.LblUpUnit != "pH") {
            a.PhAlarmOn = false;
            return;
        }
        compare(p.LblUpValue, a.PhHigh, a.PhLow, p.LblUOver, p.LblUUnder);
    } else if (a.MvAlarmOn) {
        if (p.LblUpUnit != "mV") {
            a.MvAlarmOn = false;
            return;
        }
        compare(p.LblUpValue, a.MvHigh, a.MvLow, p.LblUOver, p.LblUUnder);
    } else {
        p.LblUOver = p.LblUUnder = false;
    }

    if (a.CAlarmOn) {
        if (p.Lblfc != "'C") {
            a.CAlarmOn = false;
            return;
        }
        compare(p.LblDownLeftValue, a.CHigh, a.CLow, p.LblDOver, p.LblDUnder);
    } else if (a.FAlarmOn) {
        if (p.Lblfc != "'F") {
            a.FAlarmOn = false;
            return;
        }
        compare(p.LblDownLeftValue, a.FHigh, a.FLow, p.LblDOver, p.LblDUnder);
    } else {
        p.LblDOver = p.LblDUnder = false;
    }
}

}  // namespace core
