#pragma once

#include <string>
#include <string_view>

#include "core/meter_reading.h"

// What the panel says about a recording that has stopped, and the question asked before the
// program quits while a recording or a download runs.
namespace core {

// Why a recording stopped.
enum class RecordingStop {
    StopRec,            // the user pressed "Stop Rec"
    ClockScreen,        // the meter showed its clock screen
    IntervalScreen,     // ... its interval screen
    CalibrationScreen,  // ... its calibration screen
    WriteFailure,       // a line could not be written to the disk
    OpenFile,           // "Open File" closes a running recording
    ListSave,           // the user agreed to close it to save a list
    PortChoice,         // the user went back to the port choice
    Quit,               // the program quits
};

// The screen the meter shows instead of its measuring screen, as a stop reason; StopRec when it
// is measuring.
RecordingStop StopForScreen(const MeterReading& reading);

// A count with its thousands set apart by blanks: "1 234", "1 234 567".
std::string GroupedCount(long long count);
// "1 234 lines in rec.dat", "1 line in rec.dat", "no lines in rec.dat".
std::string LinesInFile(long long lines, std::string_view fileName);

// "Recording stopped 14:02:11: the meter showed its clock screen — 1 234 lines in rec.dat":
// when it stopped (the PC's time), why, and how many lines of this recording are in which file.
std::string RecordingStopNotice(RecordingStop why, int hour, int minute, int second,
                                long long lines, std::string_view fileName);

// "A recording is running (1 234 lines in rec.dat). Stop it and quit?"
std::string RecordingQuitQuestion(long long lines, std::string_view fileName);
// The same question for a download from the meter's memory.
std::string DownloadQuitQuestion();

}  // namespace core
