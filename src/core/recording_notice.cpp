#include "core/recording_notice.h"

#include "core/record_row.h"

namespace core {

namespace {

std::string_view reasonText(RecordingStop why) {
    switch (why) {
        case RecordingStop::StopRec:
            return "\"Stop Rec\" was pressed";
        case RecordingStop::ClockScreen:
            return "the meter showed its clock screen";
        case RecordingStop::IntervalScreen:
            return "the meter showed its interval screen";
        case RecordingStop::CalibrationScreen:
            return "the meter showed its calibration screen";
        case RecordingStop::WriteFailure:
            return "a line could not be written to the disk";
        case RecordingStop::OpenFile:
            return "\"Open File\" closed it";
        case RecordingStop::ListSave:
            return "closed to save a list";
        case RecordingStop::PortChoice:
            return "\"Port\u2026\" went back to the port choice";
        case RecordingStop::Quit:
            break;
    }
    return "the program quit";
}

}  // namespace

RecordingStop StopForScreen(const MeterReading& reading) {
    if (reading.ClockMode == 1) return RecordingStop::ClockScreen;
    if (reading.IntervalMode == 1) return RecordingStop::IntervalScreen;
    if (reading.CalMode == 1) return RecordingStop::CalibrationScreen;
    return RecordingStop::StopRec;
}

std::string GroupedCount(long long count) {
    const bool negative = count < 0;
    const auto magnitude = static_cast<unsigned long long>(count);
    const std::string digits = std::to_string(negative ? 0ULL - magnitude : magnitude);
    std::string grouped;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
        grouped += digits[i];
    }
    return negative ? "-" + grouped : grouped;
}

std::string LinesInFile(long long lines, std::string_view fileName) {
    std::string count = lines == 0   ? "no lines"
                        : lines == 1 ? "1 line"
                                     : GroupedCount(lines) + " lines";
    return count + " in " + std::string(fileName);
}

std::string RecordingStopNotice(RecordingStop why, int hour, int minute, int second,
                                long long lines, std::string_view fileName) {
    return "Recording stopped " + recordTimeText(hour, minute, second) + ": " +
           std::string(reasonText(why)) + " \u2014 " + LinesInFile(lines, fileName);
}

std::string RecordingQuitQuestion(long long lines, std::string_view fileName) {
    return "A recording is running (" + LinesInFile(lines, fileName) + "). Stop it and quit?";
}

std::string DownloadQuitQuestion() {
    return "A download from the meter is running (the records read so far are not saved). "
           "Stop it and quit?";
}

}  // namespace core
