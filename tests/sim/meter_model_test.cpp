// The simulated meter's behaviour behind its frames, without any pty.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "sim/meter_model.h"

namespace {

using sim::DateTime;
using sim::MeterModel;
using Bytes = std::vector<uint8_t>;
namespace a = sim::status_a;
namespace b = sim::status_b;
namespace k = sim::key;

Bytes feed(MeterModel& m, const Bytes& in, double now) {
    return m.feed(in.data(), in.size(), now);
}

Bytes frame(MeterModel& m, double now) {
    const auto f = m.displayFrame(now);
    return {f.begin(), f.end()};
}

void press(MeterModel& m, std::initializer_list<uint8_t> keys, double now = 1.0) {
    for (uint8_t key : keys) m.pressKey(key, now);
}

MeterModel fixedMeter() {
    MeterModel m(1);
    m.setFixedPh(7.0);
    m.setFixedTemperature(25.0);
    return m;
}

// ---------------------------------------------------------------------------------------
// Display frame of the measuring screen

struct DisplayCase {
    const char* name;
    std::function<void(MeterModel&)> setup;
    Bytes expected;  // all 9 bytes
};

class MeasuringFrame : public testing::TestWithParam<DisplayCase> {};

TEST_P(MeasuringFrame, ShowsDigitsAndFlags) {
    MeterModel m = fixedMeter();
    GetParam().setup(m);
    EXPECT_EQ(frame(m, 100.0), GetParam().expected);
}

const uint8_t kPhC = a::kIsPh | a::kIsCelsius;
const uint8_t kMvC = a::kIsMv | a::kIsCelsius;

INSTANTIATE_TEST_SUITE_P(
    Readings, MeasuringFrame,
    testing::Values(
        DisplayCase{"Ph7012",
                    [](MeterModel& m) {
                        m.setFixedPh(7.012);
                        m.setFixedTemperature(25.34);
                    },
                    {0x00, 0x12, 0x70, 0x34, 0x25, 0xEE, kPhC | a::kAutoSteady, 0x00, 0x00}},
        DisplayCase{"PhRoundsToNearestCount",
                    [](MeterModel& m) { m.setFixedPh(6.9996); },
                    {0x00, 0x00, 0x70, 0x00, 0x25, 0xEE, kPhC | a::kAutoSteady, 0x00, 0x00}},
        DisplayCase{
            "Ph14LeadingOne",
            [](MeterModel& m) { m.setFixedPh(14.0); },
            {0x00, 0x00, 0x40, 0x00, 0x25, 0xEE, kPhC | a::kAutoSteady, b::kUpperLeadingOne, 0x00}},
        DisplayCase{"MvNegative",
                    [](MeterModel& m) { m.setFixedMv(-123.4); },
                    {0x00, 0x34, 0x12, 0x00, 0x25, 0xEE, kMvC | a::kIsNegative | a::kAutoSteady,
                     0x00, 0x00}},
        DisplayCase{"MvFullScaleNegative",
                    [](MeterModel& m) { m.setFixedMv(-1999.9); },
                    {0x00, 0x99, 0x99, 0x00, 0x25, 0xEE, kMvC | a::kIsNegative | a::kAutoSteady,
                     b::kUpperLeadingOne, 0x00}},
        DisplayCase{"MvTinyNegativeShowsPlainZero",
                    [](MeterModel& m) { m.setFixedMv(-0.04); },
                    {0x00, 0x00, 0x00, 0x00, 0x25, 0xEE, kMvC | a::kAutoSteady, 0x00, 0x00}},
        DisplayCase{"MvBeyondScaleIsOverRange",
                    [](MeterModel& m) { m.setFixedMv(2000.0); },
                    {0x00, 0xFF, 0xFF, 0x00, 0x25, 0xEE, kMvC | a::kAutoBlink, 0x00, 0x00}},
        DisplayCase{"OverRangeFlag",
                    [](MeterModel& m) { m.setOverRange(true); },
                    {0x00, 0xFF, 0xFF, 0x00, 0x25, 0xEE, kPhC | a::kAutoBlink, 0x00, 0x00}},
        DisplayCase{
            "Temperature100LeadingOne",
            [](MeterModel& m) { m.setFixedTemperature(100.0); },
            {0x00, 0x00, 0x70, 0x00, 0x00, 0xEE, kPhC | a::kAutoSteady, b::kLowerLeadingOne, 0x00}},
        DisplayCase{"NegativeTemperatureIsDashes",
                    [](MeterModel& m) { m.setFixedTemperature(-3.0); },
                    {0x00, 0x00, 0x70, 0xFF, 0xFF, 0xEE, kPhC | a::kAutoSteady, 0x00, 0x00}},
        DisplayCase{"Fahrenheit",
                    [](MeterModel& m) { m.setTempUnit(sim::TempUnit::Fahrenheit); },
                    {0x00, 0x00, 0x70, 0x00, 0x77, 0xEE,
                     a::kIsPh | a::kIsFahrenheit | a::kAutoSteady, 0x00, 0x00}},
        DisplayCase{"ManualTemperature",
                    [](MeterModel& m) {
                        m.clearFixedReadings();
                        m.setFixedPh(7.0);
                        m.setManualTemp(true);
                        m.setManualTemperatureC(20.5);
                    },
                    {0x00, 0x00, 0x70, 0x50, 0x20, 0xEE, kPhC | a::kIsManualTemp | a::kAutoSteady,
                     0x00, 0x00}},
        DisplayCase{
            "LowBattery",
            [](MeterModel& m) { m.setLowBattery(true); },
            {0x00, 0x00, 0x70, 0x00, 0x25, 0xEE, kPhC | a::kAutoSteady, b::kLowBattery, 0x00}}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return info.param.name; });

// ---------------------------------------------------------------------------------------
// Other screens

TEST(Screens, ClockShowsMonthDashDayAndTime) {
    MeterModel m = fixedMeter();
    m.setClock({2024, 3, 5, 14, 7, 9}, 0.0);
    m.setScreen(sim::Screen::Clock);
    EXPECT_EQ(frame(m, 0.5), (Bytes{0x00, 0x05, 0x3F, 0x07, 0x14, 0x09, 0x00, b::kClockMode, 0}));

    m.setClock({2024, 12, 25, 23, 59, 58}, 1.0);
    EXPECT_EQ(frame(m, 3.0), (Bytes{0x00, 0x26, 0x2F, 0x00, 0x00, 0x00, 0x00,
                                    b::kClockMode | b::kUpperLeadingOne, 0}))
        << "two seconds later it is midnight of the 26th";
}

TEST(Screens, IntervalTakesTheFirstThreeLowerDigits) {
    MeterModel m = fixedMeter();
    m.setScreen(sim::Screen::Interval);
    // Lower digit text "E10E" is bytes 4 and 3 = E1 0E.
    for (auto [seconds, byte4, byte3] :
         {std::tuple{2, 0xEE, 0x2E}, std::tuple{10, 0xE1, 0x0E}, std::tuple{255, 0x25, 0x5E},
          std::tuple{100, 0x10, 0x0E}}) {
        ASSERT_TRUE(m.setInterval(seconds));
        EXPECT_EQ(frame(m, 1.0),
                  (Bytes{0x00, 0xEE, 0xEE, static_cast<uint8_t>(byte3), static_cast<uint8_t>(byte4),
                         0xEE, 0x00, b::kIntervalMode, 0}))
            << seconds;
    }
}

TEST(Screens, CalibrationShowsBufferAndTemperatureTenthsInCelsius) {
    MeterModel m = fixedMeter();
    m.setFixedTemperature(25.3);
    m.setTempUnit(sim::TempUnit::Fahrenheit);
    const uint8_t steady = a::kAutoSteady;
    press(m, {k::kCal});
    EXPECT_EQ(frame(m, 1.0),
              (Bytes{0x00, 0x00, 0x70, 0x53, 0x02, 0xEE, kPhC | steady, b::kCalMode, 0}));
    press(m, {k::kUp});
    EXPECT_EQ(frame(m, 1.0), (Bytes{0x00, 0x10, 0x00, 0x53, 0x02, 0xEE, kPhC | steady,
                                    b::kCalMode | b::kUpperLeadingOne, 0}))
        << "10.01 buffer";
    press(m, {k::kUp});
    EXPECT_DOUBLE_EQ(m.calibrationValue(), 4.01) << "buffers wrap around";
    press(m, {k::kMv});
    EXPECT_EQ(m.screen(), sim::Screen::Calibration);
    EXPECT_EQ(frame(m, 1.0),
              (Bytes{0x00, 0x00, 0x00, 0x53, 0x02, 0xEE, kMvC | steady, b::kCalMode, 0}));
    press(m, {k::kDown});
    EXPECT_DOUBLE_EQ(m.calibrationValue(), 475.0);
    press(m, {k::kEnter});
    EXPECT_EQ(m.calibrationCount(), 1);
    EXPECT_EQ(m.screen(), sim::Screen::Measuring);
}

// ---------------------------------------------------------------------------------------
// Keys

struct KeyCase {
    const char* name;
    std::vector<uint8_t> keys;
    sim::Screen screen;
    sim::MainUnit unit;
    sim::TempUnit tempUnit;
    int interval;
};

class Keys : public testing::TestWithParam<KeyCase> {};

TEST_P(Keys, ChangeScreenUnitsAndInterval) {
    MeterModel m = fixedMeter();
    for (uint8_t key : GetParam().keys) m.pressKey(key, 1.0);
    EXPECT_EQ(m.screen(), GetParam().screen);
    EXPECT_EQ(m.mainUnit(), GetParam().unit);
    EXPECT_EQ(m.tempUnit(), GetParam().tempUnit);
    EXPECT_EQ(m.interval(), GetParam().interval);
}

using S = sim::Screen;
constexpr auto kPh = sim::MainUnit::Ph;
constexpr auto kMv = sim::MainUnit::Mv;
constexpr auto kC = sim::TempUnit::Celsius;
constexpr auto kF = sim::TempUnit::Fahrenheit;

INSTANTIATE_TEST_SUITE_P(
    Sequences, Keys,
    testing::Values(
        KeyCase{"ToggleOnce", {k::kToggle}, S::Clock, kPh, kC, 10},
        KeyCase{"ToggleTwice", {k::kToggle, k::kToggle}, S::Interval, kPh, kC, 10},
        KeyCase{"ToggleCycles", {k::kToggle, k::kToggle, k::kToggle}, S::Measuring, kPh, kC, 10},
        KeyCase{"EnterReturns", {k::kToggle, k::kEnter}, S::Measuring, kPh, kC, 10},
        KeyCase{"CalEnters", {k::kCal}, S::Calibration, kPh, kC, 10},
        KeyCase{"CalLeaves", {k::kCal, k::kCal}, S::Measuring, kPh, kC, 10},
        KeyCase{"ToggleLeavesCal", {k::kCal, k::kToggle}, S::Measuring, kPh, kC, 10},
        KeyCase{"UpOnInterval",
                {k::kToggle, k::kToggle, k::kUp, k::kUp, k::kUp},
                S::Interval,
                kPh,
                kC,
                13},
        KeyCase{"DownStopsAtTwo",
                {k::kToggle, k::kToggle, k::kDown, k::kDown, k::kDown, k::kDown, k::kDown, k::kDown,
                 k::kDown, k::kDown, k::kDown, k::kDown},
                S::Interval,
                kPh,
                kC,
                2},
        KeyCase{"UpElsewhereDoesNothing", {k::kUp, k::kToggle, k::kUp}, S::Clock, kPh, kC, 10},
        KeyCase{"MvKey", {k::kMv}, S::Measuring, kMv, kC, 10},
        KeyCase{"MvLeavesClock", {k::kToggle, k::kMv}, S::Measuring, kMv, kC, 10},
        KeyCase{"MvThenPh", {k::kMv, k::kPh}, S::Measuring, kPh, kC, 10},
        KeyCase{"FahrenheitKeepsScreen", {k::kToggle, k::kFahrenheit}, S::Clock, kPh, kF, 10},
        KeyCase{"CelsiusBack", {k::kFahrenheit, k::kCelsius}, S::Measuring, kPh, kC, 10},
        KeyCase{"UnknownCodesIgnored", {0x00, 0x20, 0xFF, 0x7E ^ 0x01}, S::Measuring, kPh, kC, 10}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST(KeysMem, StoresReadingWithClockAndShowsMarkForAMoment) {
    MeterModel m = fixedMeter();
    m.setFixedPh(7.5);
    m.setClock({2024, 6, 1, 8, 0, 0}, 0.0);
    m.pressKey(k::kMem, 10.0);
    ASSERT_EQ(m.singleRecords().size(), 1u);
    EXPECT_DOUBLE_EQ(m.singleRecords()[0].sample.value, 7.5);
    EXPECT_EQ(m.singleRecords()[0].time, (DateTime{2024, 6, 1, 8, 0, 10}));

    Bytes f = frame(m, 11.0);
    EXPECT_TRUE(f[7] & b::kMemoryMark);
    EXPECT_EQ(f[5], 0x01);
    m.pressKey(k::kMem, 11.5);
    EXPECT_EQ(frame(m, 12.0)[5], 0x02);
    f = frame(m, 11.5 + MeterModel::kMarkSeconds + 0.1);
    EXPECT_FALSE(f[7] & b::kMemoryMark);
    EXPECT_EQ(f[5], 0xEE);

    m.pressKey(k::kMem, 20.0);
    m.pressKey(k::kCelsius, 20.5);
    EXPECT_FALSE(frame(m, 20.6)[7] & b::kMemoryMark) << "the next key ends the mark";
}

TEST(KeysMem, StopsAt255Records) {
    MeterModel m = fixedMeter();
    for (int i = 0; i < 255; ++i) ASSERT_TRUE(m.addSingleRecord({}));
    EXPECT_FALSE(m.addSingleRecord({}));
    m.pressKey(k::kMem, 1.0);
    EXPECT_EQ(m.singleRecords().size(), 255u);
    EXPECT_EQ(feed(m, {'R', 0x20}, 1.0), Bytes{255});
}

TEST(KeysRead, RecallsRecordsAndStepsThroughThem) {
    MeterModel m = fixedMeter();
    m.addSingleRecord({sim::Sample{kPh, 4.0, kC, 25.0}, DateTime{}});
    m.addSingleRecord({sim::Sample{kMv, -70.0, kF, 77.0}, DateTime{}});
    m.addSingleRecord({sim::Sample{kPh, 10.0, kC, 25.0}, DateTime{}});
    press(m, {k::kRead});
    Bytes f = frame(m, 1.0);
    EXPECT_EQ(Bytes(f.begin() + 1, f.begin() + 3), (Bytes{0x00, 0x00}));
    EXPECT_EQ(f[7], b::kRecallMark | b::kUpperLeadingOne) << "10.000 recalled";
    EXPECT_EQ(f[5], 0x03);

    press(m, {k::kLeft});
    EXPECT_EQ(frame(m, 1.0), (Bytes{0x00, 0x00, 0x07, 0x00, 0x77, 0x02,
                                    a::kIsMv | a::kIsFahrenheit | a::kIsNegative | a::kAutoSteady,
                                    b::kRecallMark, 0}))
        << "the record's own units and sign";
    EXPECT_EQ(m.recallNumber(), 2);
    press(m, {k::kLeft, k::kLeft});
    EXPECT_EQ(m.recallNumber(), 1) << "stops at the first record";
    press(m, {k::kRight});
    EXPECT_EQ(m.recallNumber(), 2);

    press(m, {k::kMv});
    EXPECT_FALSE(m.recalling()) << "any other key ends the recall";
    EXPECT_EQ(m.mainUnit(), kMv) << "...and still does its own job";
    EXPECT_FALSE(frame(m, 1.0)[7] & b::kRecallMark);

    press(m, {k::kRead, k::kRead});
    EXPECT_FALSE(m.recalling()) << "READ again ends the recall";
}

TEST(KeysRead, WithNoRecordsShowsDashes) {
    MeterModel m = fixedMeter();
    press(m, {k::kRead});
    EXPECT_EQ(frame(m, 1.0), (Bytes{0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, kPhC | a::kAutoSteady,
                                    b::kRecallMark, 0}));
    press(m, {k::kLeft});
    EXPECT_FALSE(frame(m, 1.0)[7] & b::kRecallMark);
}

TEST(KeysTens, LogsSetsAtTheIntervalFromTheMeterClock) {
    MeterModel m = fixedMeter();
    m.setClock({2024, 3, 5, 14, 0, 0}, 0.0);
    feed(m, {'G', 5}, 0.0);
    m.pressKey(k::kTens, 100.0);
    EXPECT_TRUE(m.logging());
    feed(m, {'G', 30}, 101.0);  // a new interval applies to the next set only
    frame(m, 112.0);            // records at 100, 105, 110
    m.pressKey(k::kTens, 112.0);
    EXPECT_FALSE(m.logging());
    frame(m, 500.0);

    ASSERT_EQ(m.loggedSets().size(), 1u);
    EXPECT_EQ(m.loggedSets()[0].start, (DateTime{2024, 3, 5, 14, 1, 40}));
    EXPECT_EQ(m.loggedSets()[0].intervalSeconds, 5);
    EXPECT_EQ(m.loggedSets()[0].records.size(), 3u);

    m.pressKey(k::kTens, 600.0);
    frame(m, 659.0);
    ASSERT_EQ(m.loggedSets().size(), 2u);
    EXPECT_EQ(m.loggedSets()[1].intervalSeconds, 30);
    EXPECT_EQ(m.loggedSets()[1].records.size(), 2u);  // 600, 630
    const size_t used = 2 * sim::kSetHeaderSize + 5 * sim::kLoggedRecordSize;
    EXPECT_EQ(m.setMemoryUsed(), used);
    EXPECT_EQ(feed(m, {'R', 0x50, 'R', 0x51}, 659.0),
              (Bytes{static_cast<uint8_t>((0x700 + used) >> 8),
                     static_cast<uint8_t>((0x700 + used) & 0xFF)}));
}

TEST(KeysTens, LoggerStopsWhenSetMemoryIsFull) {
    MeterModel m = fixedMeter();
    sim::LoggedSet big;
    big.records.resize((MeterModel::kSetMemoryLimit - sim::kSetHeaderSize - 100) /
                       sim::kLoggedRecordSize);
    ASSERT_TRUE(m.addLoggedSet(big));
    feed(m, {'G', 2}, 0.0);
    m.pressKey(k::kTens, 0.0);
    ASSERT_TRUE(m.logging());
    frame(m, 1e7);
    EXPECT_FALSE(m.logging());
    EXPECT_LT(m.setMemoryUsed(), MeterModel::kSetMemoryLimit);
    EXPECT_GE(m.setMemoryUsed() + sim::kLoggedRecordSize, MeterModel::kSetMemoryLimit);
    EXPECT_LT(m.setMemoryPointer(), 0xFF00);

    m.pressKey(k::kTens, 1e7);
    EXPECT_FALSE(m.logging()) << "no room for another set";
    EXPECT_FALSE(m.addLoggedSet(big));
}

// ---------------------------------------------------------------------------------------
// Clock and interval over the wire

struct ClockCase {
    const char* name;
    Bytes set;       // six BCD bytes sent after "D"
    double elapsed;  // seconds between "D" and "C"
    Bytes expected;  // the answer to "C"
};

class ClockRoundTrip : public testing::TestWithParam<ClockCase> {};

TEST_P(ClockRoundTrip, ReadsBackWhatWasSetPlusElapsedTime) {
    MeterModel m(3);
    m.setClock({2030, 1, 1, 0, 0, 0}, 0.0);
    Bytes d{'D'};
    d.insert(d.end(), GetParam().set.begin(), GetParam().set.end());
    EXPECT_TRUE(feed(m, d, 10.0).empty());
    EXPECT_EQ(feed(m, {'C'}, 10.0 + GetParam().elapsed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Dates, ClockRoundTrip,
                         testing::Values(ClockCase{"Same",
                                                   {0x24, 0x03, 0x05, 0x14, 0x07, 0x09},
                                                   0.0,
                                                   {0x24, 0x03, 0x05, 0x14, 0x07, 0x09}},
                                         ClockCase{"FractionsDoNotTick",
                                                   {0x24, 0x03, 0x05, 0x14, 0x07, 0x09},
                                                   0.999,
                                                   {0x24, 0x03, 0x05, 0x14, 0x07, 0x09}},
                                         ClockCase{"Advances",
                                                   {0x24, 0x03, 0x05, 0x14, 0x07, 0x09},
                                                   73.5,
                                                   {0x24, 0x03, 0x05, 0x14, 0x08, 0x22}},
                                         ClockCase{"LeapDay",
                                                   {0x24, 0x02, 0x28, 0x23, 0x59, 0x59},
                                                   2.0,
                                                   {0x24, 0x02, 0x29, 0x00, 0x00, 0x01}},
                                         ClockCase{"NoLeapDay",
                                                   {0x23, 0x02, 0x28, 0x23, 0x59, 0x59},
                                                   1.0,
                                                   {0x23, 0x03, 0x01, 0x00, 0x00, 0x00}},
                                         ClockCase{"CenturyWraps",
                                                   {0x99, 0x12, 0x31, 0x23, 0x59, 0x59},
                                                   1.0,
                                                   {0x00, 0x01, 0x01, 0x00, 0x00, 0x00}},
                                         ClockCase{"BadMonthIgnored",
                                                   {0x24, 0x13, 0x01, 0x00, 0x00, 0x00},
                                                   0.0,
                                                   {0x30, 0x01, 0x01, 0x00, 0x00, 0x10}},
                                         ClockCase{"BadDayIgnored",
                                                   {0x24, 0x02, 0x30, 0x00, 0x00, 0x00},
                                                   0.0,
                                                   {0x30, 0x01, 0x01, 0x00, 0x00, 0x10}},
                                         ClockCase{"NotBcdIgnored",
                                                   {0x24, 0x01, 0x01, 0x1A, 0x00, 0x00},
                                                   0.0,
                                                   {0x30, 0x01, 0x01, 0x00, 0x00, 0x10}}),
                         [](const testing::TestParamInfo<ClockCase>& info) {
                             return info.param.name;
                         });

TEST(Clock, NeverRunsBackwards) {
    MeterModel m;
    m.setClock({2024, 1, 1, 0, 0, 0}, 50.0);
    const Bytes later = feed(m, {'C'}, 60.0);
    EXPECT_EQ(feed(m, {'C'}, 55.0), later);
    EXPECT_EQ(feed(m, {'C'}, std::numeric_limits<double>::quiet_NaN()), later);
}

TEST(Interval, SetAndRequestRoundTrip) {
    const std::vector<std::pair<uint8_t, uint8_t>> cases = {{42, 42}, {2, 2},  {255, 255},
                                                            {1, 10},  {0, 10}, {0x20, 0x20}};
    for (auto [sent, expected] : cases) {
        MeterModel m;
        EXPECT_TRUE(feed(m, {'G', sent}, 1.0).empty());
        EXPECT_EQ(feed(m, {'R', 0x52}, 1.0), Bytes{expected}) << int(sent);
    }
}

TEST(Requests, UnknownCodeGetsNoAnswer) {
    MeterModel m;
    EXPECT_TRUE(feed(m, {'R', 0x00, 'R', 0x53, 'R', 0xFF}, 1.0).empty());
}

// ---------------------------------------------------------------------------------------
// Dumps

TEST(Dumps, SingleRecordLayout) {
    MeterModel m;
    m.addSingleRecord({sim::Sample{kPh, 7.012, kC, 25.0}, DateTime{2024, 3, 5, 14, 7, 9}});
    sim::Sample mv{kMv, -1234.5, kF, 100.5};
    mv.lowBattery = true;
    mv.manualTemp = true;
    m.addSingleRecord({mv, DateTime{2099, 12, 31, 23, 59, 58}});
    sim::Sample over{kPh, 7.0, kC, 25.0};
    over.overRange = true;
    m.addSingleRecord({over, DateTime{2000, 1, 1, 0, 0, 0}});

    const Bytes expected = {2,
                            1,
                            0,
                            7,
                            0,
                            0,
                            5,
                            2,
                            kPhC,
                            0x00,
                            0x24,
                            0x03,
                            0x05,
                            0x14,
                            0x07,
                            0x09,  //
                            5,
                            4,
                            3,
                            2,
                            0,
                            5,
                            0,
                            0,
                            a::kIsMv | a::kIsFahrenheit | a::kIsNegative | a::kIsManualTemp,
                            b::kUpperLeadingOne | b::kLowerLeadingOne | b::kLowBattery,
                            0x99,
                            0x12,
                            0x31,
                            0x23,
                            0x59,
                            0x58,  //
                            0xF,
                            0xF,
                            0xF,
                            0xF,
                            0,
                            0,
                            5,
                            2,
                            kPhC,
                            0x00,
                            0x00,
                            0x01,
                            0x01,
                            0x00,
                            0x00,
                            0x00};
    EXPECT_EQ(m.singleDump(), expected);
    EXPECT_EQ(feed(m, {'P'}, 1.0), expected);
    EXPECT_EQ(feed(m, {'R', 0x20}, 1.0), Bytes{3});
}

TEST(Dumps, EmptyMemories) {
    MeterModel m;
    EXPECT_TRUE(feed(m, {'P'}, 1.0).empty());
    EXPECT_EQ(feed(m, {'L'}, 1.0), Bytes(MeterModel::kSetDumpTrailer, 0x00));
    EXPECT_EQ(feed(m, {'R', 0x50, 'R', 0x51}, 1.0), (Bytes{0x07, 0x00}));
}

TEST(Dumps, SetMemoryLayout) {
    MeterModel m;
    sim::Sample over{kPh, 7.012, kC, 25.34};
    over.overRange = true;
    sim::Sample hot{kMv, -123.4, kC, 100.0};
    ASSERT_TRUE(m.addLoggedSet(
        {DateTime{2024, 3, 5, 14, 7, 9}, 10, {sim::Sample{kPh, 7.012, kC, 25.34}, over}}));
    ASSERT_TRUE(m.addLoggedSet({DateTime{2025, 11, 30, 0, 0, 1}, 255, {hot}}));

    const Bytes expected = {0xAA,
                            0xBB,
                            0xCC,
                            0xDD,
                            0x24,
                            0x03,
                            0x05,
                            0x14,
                            0x07,
                            0x09,
                            10,  //
                            0x12,
                            0x70,
                            0x34,
                            0x25,
                            kPhC,
                            0x00,  //
                            0xFF,
                            0xFF,
                            0x34,
                            0x25,
                            kPhC,
                            0x00,  //
                            0xAA,
                            0xBB,
                            0xCC,
                            0xDD,
                            0x25,
                            0x11,
                            0x30,
                            0x00,
                            0x00,
                            0x01,
                            255,  //
                            0x34,
                            0x12,
                            0x00,
                            0x00,
                            kMvC | a::kIsNegative,
                            b::kLowerLeadingOne,  //
                            0,
                            0,
                            0,
                            0,
                            0,
                            0,
                            0};
    EXPECT_EQ(feed(m, {'L'}, 1.0), expected);
    const unsigned pointer = 0x0700 + expected.size() - MeterModel::kSetDumpTrailer;
    EXPECT_EQ(feed(m, {'R', 0x50, 'R', 0x51}, 1.0),
              (Bytes{static_cast<uint8_t>(pointer >> 8), static_cast<uint8_t>(pointer)}));

    m.clearMemory();
    EXPECT_EQ(m.setMemoryPointer(), 0x0700);
    EXPECT_TRUE(m.loggedSets().empty());
}

// ---------------------------------------------------------------------------------------
// Stateful parse

struct ParseCase {
    const char* name;
    std::vector<Bytes> chunks;  // fed one after another
    std::vector<size_t> answerSizes;
};

class Parse : public testing::TestWithParam<ParseCase> {};

TEST_P(Parse, PayloadBytesAreNeverLeadBytes) {
    MeterModel m = fixedMeter();
    std::vector<size_t> sizes;
    for (const Bytes& chunk : GetParam().chunks) {
        for (const sim::Reply& r : m.process(chunk.data(), chunk.size(), 1.0)) {
            sizes.push_back(r.bytes.size());
        }
    }
    EXPECT_EQ(sizes, GetParam().answerSizes);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, Parse,
    testing::Values(ParseCase{"KeyCodeSpaceIsNoPoll", {{'F', ' '}}, {}},
                    ParseCase{"KeyThenPoll", {{'F', ' ', ' '}}, {9}},
                    ParseCase{"TwoPolls", {{' ', ' '}}, {9, 9}},
                    ParseCase{"RequestCodeSpaceIsCount", {{'R', ' '}}, {1}},
                    ParseCase{"IntervalPayloadSpace", {{'G', ' ', 'R', 'R'}}, {1}},
                    ParseCase{"ClockSetSwallowsLeads", {{'D', 'C', 'P', 'L', ' ', 'R', 'F'}}, {}},
                    ParseCase{"SplitAcrossReads",
                              {{'R'}, {0x52}, {'D', 0x24}, {0x01, 0x01}, {0, 0, 0}, {'C'}},
                              {1, 6}},
                    ParseCase{"UnknownBytesIgnored", {{0x00, 0xFF, 0x0D, 0x0A, 'x', ' '}}, {9}},
                    ParseCase{"DumpsAndClock", {{'C', 'L', 'P'}}, {6, 7, 0}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(Parse, ClockSetPayloadReallySetsTheClock) {
    MeterModel m;
    feed(m, {'D', 0x24, 0x01, 0x02, 0x03, 0x04, 0x05, 'C'}, 1.0);
    EXPECT_EQ(m.clock(1.0), (DateTime{2024, 1, 2, 3, 4, 5}));
}

TEST(Parse, SplitFramesKeepsUnknownBytesAndPartialTail) {
    const Bytes in = {'F', ' ', ' ', 0x00, 'D', 1, 2, 3, 4, 5, 6, 'R', 0x20, 'G'};
    std::vector<Bytes> frames;
    for (auto& f : sim::splitFrames(in.data(), in.size(), true)) frames.push_back(f.bytes);
    EXPECT_EQ(frames, (std::vector<Bytes>{
                          {'F', ' '}, {' '}, {0x00}, {'D', 1, 2, 3, 4, 5, 6}, {'R', 0x20}, {'G'}}));
    EXPECT_EQ(sim::splitFrames(in.data(), in.size(), false).size(), 5u);
}

// ---------------------------------------------------------------------------------------
// Reading and robustness

TEST(Reading, DriftIsPlausibleAndDeterministic) {
    MeterModel m1(7), m2(7), other(8);
    bool differs = false;
    for (double t = 0; t < 7200; t += 13.7) {
        EXPECT_NEAR(m1.driftPh(t), 7.0, 0.1);
        EXPECT_NEAR(m1.driftTemperatureC(t), 25.0, 0.6);
        EXPECT_NEAR(std::fabs(m1.driftMv(t)), 200.0, 20.0);
        EXPECT_EQ(frame(m1, t), frame(m2, t));
        differs = differs || m1.driftPh(t) != other.driftPh(t);
    }
    EXPECT_TRUE(differs) << "the seed changes the drift";
    EXPECT_NEAR(m1.driftPh(1000.0), m1.driftPh(1000.5), 0.01) << "slow, not jumping";
    EXPECT_LT(MeterModel(1).driftMv(5), 0.0) << "odd seeds read around -200 mV";
    EXPECT_GT(MeterModel(2).driftMv(5), 0.0) << "even seeds around +200 mV";
}

TEST(Robustness, AnyByteStreamIsSafe) {
    std::mt19937 rng(12345);
    const Bytes leads = {' ', 'R', 'F', 'D', 'C', 'G', 'P', 'L', 0x7B, 0xBD};
    for (int run = 0; run < 4; ++run) {
        MeterModel m(static_cast<uint32_t>(run));
        double now = 0;
        for (int i = 0; i < 4000; ++i) {
            Bytes chunk(rng() % 24);
            for (uint8_t& byte : chunk) {
                byte = rng() % 3 == 0 ? leads[rng() % leads.size()] : static_cast<uint8_t>(rng());
            }
            now += (rng() % 1000) / 10.0;
            const double when = rng() % 50 == 0 ? -now : now;  // sometimes back in time
            for (const sim::Reply& r : m.process(chunk.data(), chunk.size(), when)) {
                size_t expected = r.bytes.size();
                switch (r.kind) {
                    case sim::FrameKind::DisplayPoll:
                        expected = 9;
                        break;
                    case sim::FrameKind::Request:
                        expected = 1;
                        break;
                    case sim::FrameKind::ClockRead:
                        expected = 6;
                        break;
                    case sim::FrameKind::SingleDump:
                        EXPECT_LE(r.bytes.size(), m.singleRecords().size() * 16);
                        expected = r.bytes.size() / 16 * 16;
                        break;
                    default:
                        break;
                }
                EXPECT_EQ(r.bytes.size(), expected);
            }
            ASSERT_LT(m.setMemoryUsed(), MeterModel::kSetMemoryLimit);
            ASSERT_LE(m.singleRecords().size(), MeterModel::kMaxSingleRecords);
            ASSERT_GE(m.interval(), MeterModel::kMinInterval);
        }
        const Bytes dump = m.setDump();
        EXPECT_EQ(dump.size(), m.setMemoryUsed() + MeterModel::kSetDumpTrailer);
    }
    MeterModel m;
    for (double t : {std::numeric_limits<double>::infinity(), -1e300, 1e300,
                     std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_EQ(feed(m, {' '}, t).size(), 9u);
    }
}

}  // namespace
