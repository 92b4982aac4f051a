#include <gtest/gtest.h>

#include "core/recording_notice.h"

namespace {

using core::RecordingStop;

TEST(RecordingNotice, SaysWhenWhyAndHowManyLinesInWhichFile) {
    const struct {
        RecordingStop why;
        long long lines;
        const char* notice;
    } cases[] = {
        {RecordingStop::ClockScreen, 1234,
         "Recording stopped 14:02:11: the meter showed its clock screen \u2014 1 234 lines in "
         "rec.dat"},
        {RecordingStop::IntervalScreen, 1,
         "Recording stopped 14:02:11: the meter showed its interval screen \u2014 1 line in "
         "rec.dat"},
        {RecordingStop::CalibrationScreen, 0,
         "Recording stopped 14:02:11: the meter showed its calibration screen \u2014 no lines "
         "in rec.dat"},
        {RecordingStop::WriteFailure, 1234567,
         "Recording stopped 14:02:11: a line could not be written to the disk \u2014 1 234 567 "
         "lines in rec.dat"},
        {RecordingStop::StopRec, 999,
         "Recording stopped 14:02:11: \"Stop Rec\" was pressed \u2014 999 lines in rec.dat"},
        {RecordingStop::OpenFile, 1000,
         "Recording stopped 14:02:11: \"Open File\" closed it \u2014 1 000 lines in rec.dat"},
        {RecordingStop::ListSave, 12,
         "Recording stopped 14:02:11: closed to save a list \u2014 12 lines in rec.dat"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::RecordingStopNotice(c.why, 14, 2, 11, c.lines, "rec.dat"), c.notice);

    EXPECT_EQ(core::RecordingQuitQuestion(1234, "rec.dat"),
              "A recording is running (1 234 lines in rec.dat). Stop it and quit?");
    EXPECT_EQ(core::GroupedCount(123456), "123 456");
    EXPECT_EQ(core::GroupedCount(-1234), "-1 234");
}

TEST(RecordingNotice, TheScreenTheMeterShows) {
    core::MeterReading reading;
    EXPECT_EQ(core::StopForScreen(reading), RecordingStop::StopRec);
    reading.IntervalMode = 1;
    EXPECT_EQ(core::StopForScreen(reading), RecordingStop::IntervalScreen);
    reading.ClockMode = 1;
    EXPECT_EQ(core::StopForScreen(reading), RecordingStop::ClockScreen);
    reading = {};
    reading.CalMode = 1;
    EXPECT_EQ(core::StopForScreen(reading), RecordingStop::CalibrationScreen);
}

}  // namespace
