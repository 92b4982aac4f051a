#include <gtest/gtest.h>

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

TEST(SamplingInterval, FirstTickAndEveryNthTickSample) {
    std::string pattern;
    for (long counter : {0L, 1L, 2L, 3L, 4L}) pattern += core::SampleIsDue(counter, 3) ? 'S' : '.';
    EXPECT_EQ(pattern, "S..SS");
    EXPECT_TRUE(core::SampleIsDue(1, 1));
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
