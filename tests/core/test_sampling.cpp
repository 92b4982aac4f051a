#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/sample_row.h"
#include "core/sampling_interval.h"

namespace {

using Outcome = core::SamplingAnswer::Outcome;

TEST(SamplingInterval, AnswersOfTheInputBox) {
    const struct {
        const char* answer;
        Outcome outcome;
        const char* caption;  // Set: the panel's new caption
    } cases[] = {
        {"10", Outcome::Set, "10 Sec"},         {"1,000", Outcome::Set, "1000 Sec"},
        {"2.5", Outcome::Set, "2 Sec"},         {"3.5", Outcome::Set, "4 Sec"},
        {"0", Outcome::Set, "1 Sec"},           {"-5", Outcome::Set, "1 Sec"},
        {"99999", Outcome::Set, "86400 Sec"},   {" 7 ", Outcome::Set, "7 Sec"},
        {"", Outcome::Unchanged, ""},           {"abc", Outcome::Rejected, ""},
        {"12abc", Outcome::Rejected, ""},       {"1,0,0", Outcome::Rejected, ""},
        {"99999999999", Outcome::Rejected, ""}, {"-99999999999", Outcome::Rejected, ""},
    };
    for (const auto& c : cases) {
        const core::SamplingAnswer answer = core::ParseSamplingAnswer(c.answer);
        EXPECT_EQ(answer.outcome, c.outcome) << c.answer;
        if (answer.outcome == Outcome::Set) {
            EXPECT_EQ(core::SamplingIntervalCaption(answer.interval), c.caption) << c.answer;
        }
        EXPECT_EQ(answer.reason.empty(), c.outcome != Outcome::Rejected) << c.answer;
    }
    EXPECT_EQ(core::SamplingDefaultAnswer(core::kStartSamplingInterval), "2");
}

TEST(SamplingInterval, SamplesFallOnWholeSecondsOfThePcClock) {
    // Ticks at the given seconds of the PC clock; "e" marks a tick that ends early after its
    // sample (a first graph point). The pattern shows which ticks sampled.
    const struct {
        const char* name;
        int interval;
        std::vector<long long> seconds;
        const char* early;  // one character per tick: 'e' ends early
        const char* pattern;
    } cases[] = {
        {"every third second", 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, "", "S..S..S..S"},
        {"a second ticked twice samples once", 2, {0, 0, 1, 2, 2, 3, 4}, "", "S..S..S"},
        {"a late tick samples, the next one is on time", 2, {0, 1, 3, 4, 5, 6}, "", "S.SS.S"},
        {"an early end samples again, then counts from there",
         5,
         {0, 1, 2, 3, 4, 5, 6, 7},
         "e",
         "SS....S."},
        {"clock set back starts afresh", 10, {100, 101, 50, 51, 60}, "", "S.S.S"},
        {"clock set forward samples once, then on the count",
         10,
         {0, 1, 3600, 3601, 3610},
         "",
         "S.S.S"},
        {"interval 1 every second", 1, {7, 8, 9, 10}, "", "SSSS"},
    };
    for (const auto& c : cases) {
        core::SampleSchedule schedule;
        std::string pattern;
        for (std::size_t i = 0; i < c.seconds.size(); ++i) {
            const bool due = core::SampleIsDue(schedule, c.seconds[i], c.interval);
            pattern += due ? 'S' : '.';
            if (due)
                core::SampleTaken(schedule, c.seconds[i],
                                  i >= std::strlen(c.early) || c.early[i] != 'e');
        }
        EXPECT_EQ(pattern, c.pattern) << c.name;
    }
    EXPECT_EQ(core::MillisecondsToNextSecond(0), 1005);
    EXPECT_EQ(core::MillisecondsToNextSecond(999), 6);
}

TEST(SampleRow, PanelTextsAsShownWithTheBatteryMark) {
    core::PanelState display;
    display.LblUpValue = "- . - - -";
    display.LblUpUnit = "pH";
    display.LblDownLeftValue = "25.3";
    display.Lblfc = "'C";
    display.LblAuto = "MTC";
    core::MeterReading reading;
    reading.LowBattery = 1;
    const core::RecordRow row = core::SampleRow(display, reading, "24/03/05", "14:02:59");
    EXPECT_EQ(row, (core::RecordRow{{"", "24/03/05", "14:02:59", "- . - - -", "pH", "25.3", "'C",
                                     "MTC", "Low"}}));
    reading.LowBattery = 0;
    EXPECT_EQ(core::SampleRow(display, reading, "", "").cells[8], "");

    EXPECT_TRUE(core::MeterIsMeasuring(reading));
    for (auto mode : {&core::MeterReading::ClockMode, &core::MeterReading::IntervalMode,
                      &core::MeterReading::CalMode}) {
        core::MeterReading other;
        other.*mode = 1;
        EXPECT_FALSE(core::MeterIsMeasuring(other));
    }
}

}  // namespace
