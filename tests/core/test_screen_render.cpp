#include <gtest/gtest.h>

#include "core/screen_render.h"
#include "frame_builder.h"

namespace {

using A = core::StatusByteA::Bit;
using B = core::StatusByteB::Bit;

struct ScreenCase {
    const char* name;
    const char* upper;
    const char* lower;
    const char* small;
    int statusA;
    int statusB;
    const char* upValue;
    const char* upUnit;
    const char* downLeft;
    const char* fc;
    const char* autoText;
    bool autoVisible;
};

class RenderScreenTest : public testing::TestWithParam<ScreenCase> {};

TEST_P(RenderScreenTest, RendersFields) {
    const ScreenCase& c = GetParam();
    core::MeterReading reading;
    core::PanelState panel;
    core::RenderFrame(makeFrame(c.upper, c.lower, c.small, c.statusA, c.statusB), reading, panel);
    EXPECT_EQ(panel.LblUpValue, c.upValue);
    EXPECT_EQ(panel.LblUpUnit, c.upUnit);
    EXPECT_EQ(panel.LblDownLeftValue, c.downLeft);
    EXPECT_EQ(panel.Lblfc, c.fc);
    EXPECT_EQ(panel.LblAuto, c.autoText);
    EXPECT_EQ(panel.LblAutoVisible, c.autoVisible);
}

// Start values of fields a screen leaves alone are the design texts ("mV", "'F", "ATC").
INSTANTIATE_TEST_SUITE_P(
    Screens, RenderScreenTest,
    testing::Values(
        ScreenCase{"ph", "7000", "2534", "EE", A::IsPH | A::IsCelsius, 0, "7.000", "pH", "25.3",
                   "'C", "ATC", true},
        ScreenCase{"ph14", "4000", "2500", "EE", A::IsPH | A::IsCelsius, B::UpperLeadingOne,
                   "14.000", "pH", "25.0", "'C", "ATC", true},
        ScreenCase{"mvNeg", "1999", "2500", "EE", A::IsMV | A::IsNegative | A::IsFahrenheit, 0,
                   "-199.9", "mV", "25.0", "'F", "ATC", true},
        ScreenCase{"mvNegLead", "9999", "2500", "EE", A::IsMV | A::IsNegative | A::IsManualTemp,
                   B::UpperLeadingOne, "-1999.9", "mV", "25.0", "", "MTC", true},
        ScreenCase{"phOver", "FFFF", "2500", "EE", A::IsPH, 0, "- . - - -", "pH", "25.0", "", "ATC",
                   true},
        ScreenCase{"phOverNeg", "FFFF", "2500", "EE", A::IsPH | A::IsNegative, B::UpperLeadingOne,
                   "- - . - - -", "pH", "25.0", "", "ATC", true},
        ScreenCase{"mvOver", "FFFF", "2500", "EE", A::IsMV, 0, "- - - . -", "mV", "25.0", "", "ATC",
                   true},
        ScreenCase{"mvOverNeg", "FFFF", "2500", "EE", A::IsMV | A::IsNegative, 0, "- - - - . -",
                   "mV", "25.0", "", "ATC", true},
        ScreenCase{"temp100", "7000", "0000", "EE", A::IsPH, B::LowerLeadingOne, "7.000", "pH",
                   "100.0", "", "ATC", true},
        ScreenCase{"noUnit", "7000", "2500", "EE", 0, 0, "9999", "", "25.0", "", "ATC", true},
        // Clock screen wins over unit flags.
        ScreenCase{"clock", "12F5", "0930", "15", A::IsPH | A::IsCelsius, B::ClockMode, "12-5", "",
                   "09:30", "'F", "ATC", false},
        ScreenCase{"clockLead", "12F5", "0930", "15", 0, B::ClockMode | B::UpperLeadingOne, "112-5",
                   "", "09:30", "'F", "ATC", false},
        ScreenCase{"interval", "0010", "0130", "EE", 0, B::IntervalMode, "0010", "mV", "01:30", "",
                   "ATC", false},
        ScreenCase{"intervalBlankUpper", "EEEE", "0100", "EE", 0, B::IntervalMode, "INTV", "mV",
                   "010", "", "ATC", false},
        ScreenCase{"intervalCelsius", "EEEE", "2505", "EE", A::IsCelsius, B::IntervalMode,
                   "        ", "mV", "25.0", "'C", "ATC", true},
        ScreenCase{"intervalDash", "0010", "0F30", "EE", 0, B::IntervalMode, "0010", "mV", "0::30",
                   "", "ATC", false},
        ScreenCase{"calPh", "7000", "0250", "EE", A::IsPH | A::IsCelsius, B::CalMode, "7.000", "pH",
                   "25.0", "'C", "MTC", true},
        ScreenCase{"calPhSmall", "0500", "0250", "EE", A::IsPH | A::IsCelsius, B::CalMode, ".500",
                   "pH", "25.0", "'C", "MTC", true},
        ScreenCase{"calMv", "0050", "1230", "EE", A::IsMV, B::CalMode, "005.0", "mV", "12:30", "",
                   "MTC", true},
        ScreenCase{"calNone", "E1F2", "1230", "EE", 0, B::CalMode, "  1-2", "", "12:30", "", "",
                   true}),
    [](const testing::TestParamInfo<ScreenCase>& info) { return info.param.name; });

TEST(RenderScreen, SmallFieldAndDateIcon) {
    core::MeterReading reading;
    core::PanelState panel;
    // "EE" empties the lower-right field.
    core::RenderFrame(makeFrame("7000", "2500", "EE", A::IsPH, B::MemoryMark), reading, panel);
    EXPECT_EQ(panel.LblDownRightValue, "");
    // Date icon: second upper character "F", first not "F", not calibrating.
    const struct {
        const char* upper;
        int statusB;
        bool date;
    } cases[] = {{"1F05", B::ClockMode, true},
                 {"FF05", B::ClockMode, false},
                 {"12F5", B::ClockMode, false},
                 {"1F05", B::CalMode, false},
                 {"7000", 0, false}};
    for (const auto& c : cases) {
        core::RenderFrame(makeFrame(c.upper, "0930", "00", 0, c.statusB), reading, panel);
        EXPECT_EQ(panel.LblDate, c.date) << c.upper;
    }
}

TEST(RenderScreen, MeasurementKeepsMarkFieldOnlyWhileMarked) {
    core::MeterReading reading;
    core::PanelState panel;
    panel.LblDownRightValue = "12";
    core::RenderFrame(makeFrame("7000", "2500", "03", A::IsPH, 0), reading, panel);
    EXPECT_EQ(panel.LblDownRightValue, "");
    panel.LblDownRightValue = "12";
    core::RenderFrame(makeFrame("7000", "2500", "03", A::IsPH, B::RecallMark), reading, panel);
    EXPECT_EQ(panel.LblDownRightValue, "12");  // the annunciator step writes it
}

TEST(Annunciators, MarksBatteryCalibrationAndSmallDigits) {
    core::MeterReading reading;
    core::PanelState panel;
    const core::DisplayFrame both =
        makeFrame("7000", "2500", "EE", A::IsPH | A::AutoSteady,
                  B::MemoryMark | B::RecallMark | B::LowBattery | B::CalMode);
    core::RenderFrame(both, reading, panel);
    core::StepAnnunciators(both, reading, panel);
    EXPECT_TRUE(panel.LblM);
    EXPECT_TRUE(panel.LblR);
    EXPECT_TRUE(panel.LblBt);
    EXPECT_TRUE(panel.LblCal);
    EXPECT_TRUE(panel.LblAdj);
    EXPECT_TRUE(panel.LblA);
    EXPECT_FALSE(panel.LblTest);
    EXPECT_EQ(panel.LblDownRightValue, "EE");  // the marks show the two letters unchanged

    const core::DisplayFrame none = makeFrame("7000", "2500", "EE", A::IsPH, 0);
    core::RenderFrame(none, reading, panel);
    core::StepAnnunciators(none, reading, panel);
    EXPECT_FALSE(panel.LblM || panel.LblR || panel.LblBt || panel.LblCal || panel.LblAdj ||
                 panel.LblA);
    EXPECT_TRUE(panel.LblTest);
}

TEST(Annunciators, AutoBlinkAlternatesAndTestIconHidesOnClockScreens) {
    core::MeterReading reading;
    core::PanelState panel;
    const core::DisplayFrame blink = makeFrame("7000", "2500", "EE", A::IsPH | A::AutoBlink, 0);
    bool previous = panel.LblA;
    for (int tick = 0; tick < 4; ++tick) {
        core::RenderFrame(blink, reading, panel);
        core::StepAnnunciators(blink, reading, panel);
        EXPECT_NE(panel.LblA, previous);
        EXPECT_FALSE(panel.LblTest);
        previous = panel.LblA;
    }
    for (int mode : {int(B::ClockMode), int(B::IntervalMode)}) {
        const core::DisplayFrame screen = makeFrame("1F05", "0930", "00", 0, mode);
        core::RenderFrame(screen, reading, panel);
        core::StepAnnunciators(screen, reading, panel);
        EXPECT_FALSE(panel.LblA);
        EXPECT_FALSE(panel.LblTest);
    }
}

TEST(LostLink, LeavesNoValueUnitOrMarkThatCouldReadAsAnAlarm) {
    core::PanelState panel;  // the design state: every mark on
    core::ClearDisplayForLostLink(panel);
    core::PanelState blank;
    blank.LblUpValue = blank.LblUpUnit = blank.LblDownLeftValue = blank.LblDownRightValue = "";
    blank.LblAuto = blank.Lblfc = "";
    blank.LblAutoVisible = blank.LblA = blank.LblM = blank.LblR = blank.LblCal = blank.LblAdj =
        blank.LblTest = blank.LblDate = blank.LblBt = blank.LblUOver = blank.LblUUnder =
            blank.LblDOver = blank.LblDUnder = false;
    EXPECT_EQ(panel, blank);
}

TEST(DisplayFrame, OnlyNineBytesMakeAFrame) {
    const std::uint8_t bytes[10] = {0, 0x12, 0x70, 0, 0x25, 0xEE, 1, 0, 0, 0};
    core::DisplayFrame frame;
    EXPECT_FALSE(core::DisplayFrame::fromBytes(bytes, 8, frame));
    EXPECT_FALSE(core::DisplayFrame::fromBytes(bytes, 10, frame));
    ASSERT_TRUE(core::DisplayFrame::fromBytes(bytes, 9, frame));
    EXPECT_EQ(frame.upperDigits(), "7012");
    EXPECT_EQ(frame.lowerDigits(), "2500");
    EXPECT_EQ(frame.smallDigits(), "EE");
}

}  // namespace
