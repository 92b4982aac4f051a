#include <gtest/gtest.h>

#include "caption_reference.h"
#include "core/alarm_limits.h"

namespace {

core::PanelState measuring(const char* upValue, const char* upUnit, const char* downValue,
                           const char* fc) {
    core::PanelState p;
    p.LblUpValue = upValue;
    p.LblUpUnit = upUnit;
    p.LblDownLeftValue = downValue;
    p.Lblfc = fc;
    p.LblUOver = p.LblUUnder = p.LblDOver = p.LblDUnder = false;
    reference::SyncShown(p);
    return p;
}

struct UpperCase {
    const char* name;
    const char* value;
    bool over;
    bool under;
};

class PhAlarmTest : public testing::TestWithParam<UpperCase> {};

TEST_P(PhAlarmTest, ComparesStrictly) {
    core::MeterReading reading;
    core::AlarmLimits limits;  // pH 0 .. 14
    limits.PhAlarmOn = true;
    core::PanelState panel = measuring(GetParam().value, "pH", "25.0", "'C");
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_EQ(panel.LblUOver, GetParam().over);
    EXPECT_EQ(panel.LblUUnder, GetParam().under);
    EXPECT_TRUE(limits.PhAlarmOn);
}

INSTANTIATE_TEST_SUITE_P(Values, PhAlarmTest,
                         testing::Values(UpperCase{"atHigh", "14.000", false, false},
                                         UpperCase{"aboveHigh", "14.001", true, false},
                                         UpperCase{"atLow", "0.000", false, false},
                                         UpperCase{"belowLow", "-0.001", false, true},
                                         UpperCase{"dashes", "- . - - -", false, false},
                                         UpperCase{"dashesNeg", "- - . - - -", false, false}),
                         [](const auto& info) { return info.param.name; });

TEST(Alarm, OverBlinksTickByTickAndUnderHidesOver) {
    core::MeterReading reading;
    core::AlarmLimits limits;
    limits.PhAlarmOn = true;
    limits.PhHigh = 7;
    limits.PhLow = 6;
    core::PanelState panel = measuring("7.500", "pH", "25.0", "'C");
    const bool expected[] = {true, false, true, false};
    for (bool shown : expected) {
        core::EvaluateAlarm(reading, limits, panel);
        EXPECT_EQ(panel.LblUOver, shown);
        EXPECT_FALSE(panel.LblUUnder);
    }
    panel.LblUpValue = "5.000";
    reference::SyncShown(panel);
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_TRUE(panel.LblUUnder);
    EXPECT_FALSE(panel.LblUOver);
}

TEST(Alarm, LeavingTheUnitSwitchesOffWithoutTouchingMarksThenHidesThem) {
    core::MeterReading reading;
    core::AlarmLimits limits;
    limits.PhAlarmOn = true;
    limits.CAlarmOn = true;
    core::PanelState panel = measuring("250.0", "mV", "300.0", "'C");
    panel.LblUOver = true;
    panel.LblDOver = true;
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_FALSE(limits.PhAlarmOn);
    EXPECT_TRUE(limits.CAlarmOn);  // the tick ended before the lower value
    EXPECT_TRUE(panel.LblUOver);
    EXPECT_TRUE(panel.LblDOver);
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_FALSE(panel.LblUOver);
    EXPECT_FALSE(panel.LblUUnder);
    EXPECT_TRUE(panel.LblDOver != true || limits.CAlarmOn);
}

TEST(Alarm, TemperatureAlarmsFollowTheirUnit) {
    core::MeterReading reading;
    core::AlarmLimits limits;
    limits.FAlarmOn = true;
    limits.FHigh = 80;
    core::PanelState panel = measuring("7.000", "pH", "81.0", "'F");
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_TRUE(panel.LblDOver);
    panel.Lblfc = "'C";
    reference::SyncShown(panel);
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_FALSE(limits.FAlarmOn);
}

TEST(Alarm, ModeScreensSwitchAllOffAndKeepMarksUntilNextMeasurement) {
    for (int mode = 0; mode < 3; ++mode) {
        core::MeterReading reading;
        (mode == 0 ? reading.ClockMode : mode == 1 ? reading.IntervalMode : reading.CalMode) = 1;
        core::AlarmLimits limits;
        limits.PhAlarmOn = limits.CAlarmOn = true;
        limits.MvAlarmOn = limits.FAlarmOn = true;
        core::PanelState panel = measuring("12-5", "", "09:30", "");
        panel.LblUOver = panel.LblDUnder = true;
        core::EvaluateAlarm(reading, limits, panel);
        EXPECT_EQ(limits, core::AlarmLimits{});
        EXPECT_TRUE(panel.LblUOver);
        EXPECT_TRUE(panel.LblDUnder);
        core::MeterReading measuringReading;
        core::EvaluateAlarm(measuringReading, limits, panel);
        EXPECT_FALSE(panel.LblUOver || panel.LblDUnder);
    }
}

TEST(Alarm, CaptionThatIsNoNumberIsSkipped) {
    core::MeterReading reading;
    core::AlarmLimits limits;
    limits.MvAlarmOn = true;
    core::PanelState panel = measuring("abc", "mV", "25.0", "'C");
    panel.LblUOver = true;
    core::EvaluateAlarm(reading, limits, panel);
    EXPECT_TRUE(panel.LblUOver);
    EXPECT_TRUE(limits.MvAlarmOn);
}

}  // namespace
