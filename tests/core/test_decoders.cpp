#include <gtest/gtest.h>

#include <ostream>

#include "core/meter_reading.h"

namespace {

TEST(DecodeStatus, SetsEveryFlagFromItsBitAndConsumesTheByte) {
    for (int bit = 0; bit < 8; ++bit) {
        core::MeterReading r;
        int a = 1 << bit;
        int b = 1 << bit;
        core::DecodeStatusA(r, a);
        core::DecodeStatusB(r, b);
        EXPECT_EQ(a, 0);
        EXPECT_EQ(b, 0);
        const std::int16_t flagsA[] = {r.IsPH,       r.IsMV,         r.IsCelsius, r.IsFahrenheit,
                                       r.IsNegative, r.IsManualTemp, r.AutoBlink, r.AutoSteady};
        const std::int16_t flagsB[] = {r.UpperLeadingOne, r.ClockMode,  r.IntervalMode,
                                       r.LowBattery,      r.MemoryMark, r.RecallMark,
                                       r.LowerLeadingOne, r.CalMode};
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(flagsA[i], i == bit ? 1 : 0) << "A bit " << bit << " flag " << i;
            EXPECT_EQ(flagsB[i], i == bit ? 1 : 0) << "B bit " << bit << " flag " << i;
        }
    }
}

struct ValueCase {
    int statusA;
    int statusB;
    const char* digits;
    double value;
    const char* digitsAfter;
};

void PrintTo(const ValueCase& c, std::ostream* os) {
    *os << c.digits << " A=" << c.statusA << " B=" << c.statusB;
}

class DigitsToValueTest : public testing::TestWithParam<ValueCase> {};

TEST_P(DigitsToValueTest, ScalesSignsAndPrefixesLeadingOne) {
    const ValueCase& c = GetParam();
    core::MeterReading r;
    int a = c.statusA, b = c.statusB;
    core::DecodeStatusA(r, a);
    core::DecodeStatusB(r, b);
    std::string digits = c.digits;
    core::DigitsToValue(r, digits);
    EXPECT_NEAR(r.MainValue, c.value, 1e-9);
    EXPECT_EQ(digits, c.digitsAfter);
}

INSTANTIATE_TEST_SUITE_P(Values, DigitsToValueTest,
                         testing::Values(ValueCase{0x01, 0x00, "7000", 7.0, "7000"},
                                         ValueCase{0x01, 0x01, "4000", 14.0, "14000"},
                                         ValueCase{0x12, 0x00, "1999", -199.9, "1999"},
                                         ValueCase{0x12, 0x01, "9999", -1999.9, "19999"},
                                         ValueCase{0x02, 0x00, "0005", 0.5, "0005"},
                                         ValueCase{0x01, 0x00, "FFFF", 0.0, "FFFF"}));

TEST(DigitsToTemperature, ScalesAndPrefixesLeadingOne) {
    core::MeterReading r;
    std::string d = "2534";
    core::DigitsToTemperature(r, d);
    EXPECT_NEAR(r.TempValue, 25.34, 1e-9);
    r.LowerLeadingOne = 1;
    d = "0000";
    core::DigitsToTemperature(r, d);
    EXPECT_NEAR(r.TempValue, 100.0, 1e-9);
    EXPECT_EQ(d, "10000");
}

TEST(ClockTexts, UpperDashesAndClock) {
    core::MeterReading r;
    core::FormatUpperDigits(r, "12F5");
    EXPECT_EQ(r.UpperText, "12-5");
    r.UpperLeadingOne = 1;
    core::FormatUpperDigits(r, "12F5");
    EXPECT_EQ(r.UpperText, "112-5");
    core::FormatClockDigits(r, "0930");
    EXPECT_EQ(r.ClockText, "09:30");
    core::FormatClockDigits(r, "");  // never reads past a short text
    EXPECT_EQ(r.ClockText, "  :  ");
}

}  // namespace
