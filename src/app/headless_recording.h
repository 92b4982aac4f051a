#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "core/alarm_limits.h"
#include "core/sampling_interval.h"

class QSocketNotifier;

namespace serial {
class QtSerialLine;
}
namespace sim {
class MeterSim;
}
namespace serial {
class TransactionQueue;
}
namespace meter {
class DisplayPoll;
}
namespace recording {
class RecordingWriter;
}

namespace app {

// What `meterpanel --record FILE --port DEVICE [--interval SECONDS] [--duration SECONDS]` asks.
struct RecordOptions {
    QString file;
    QString port;       // a device path; with `demo`, the simulated meter's
    int interval = 2;   // seconds of the PC clock between two samples
    int duration = 0;   // seconds; 0: until SIGINT or SIGTERM
    bool demo = false;  // record from a simulated meter inside the program
};

// The exit codes of a recording without a window.
enum RecordExit {
    kRecordDone = 0,
    kRecordPortFailed = 1,
    kRecordBadArguments = 2,
    kRecordFileFailed = 3
};

// A recording without any window: the display poll as the panel runs it (the same lost-link
// rule, probes and recovery), a sample on every `interval` seconds of the PC clock while the
// meter shows its measuring screen, and the same recording lines through the same writer thread
// into FILE. It stops after `duration`, on SIGINT or SIGTERM, or when the file cannot be
// written, with every counted line whole on disk; then the event loop is quit with its exit
// code.
class HeadlessRecording : public QObject {
    Q_OBJECT
  public:
    HeadlessRecording(RecordOptions options, std::FILE* out, std::FILE* err);
    ~HeadlessRecording() override;

    // Opens the port and the file and starts; false (with the exit code set and the reason on
    // `err`) when either fails.
    bool start();
    int exitCode() const { return exitCode_; }
    long linesWritten() const { return written_; }

    // Ends the recording (lines handed over are written and forced to disk) and quits the loop.
    void stop(int exitCode);

  private:
    void sampleTick();
    void armSampleTick();
    void showSample(const std::string& line);
    void onLinkLost();
    void onLinkRestored();

    RecordOptions options_;
    std::FILE* out_;
    std::FILE* err_;
    bool onTerminal_ = false;
    std::unique_ptr<sim::MeterSim> meter_;
    serial::QtSerialLine* line_ = nullptr;
    serial::TransactionQueue* queue_ = nullptr;
    // No window switches an alarm on: the poll runs with the alarms off.
    core::AlarmLimits alarmLimits_;
    meter::DisplayPoll* poll_ = nullptr;
    recording::RecordingWriter* writer_ = nullptr;
    quint64 recording_ = 0;
    QTimer timer1_;
    QTimer sampleTimer_;
    QTimer durationTimer_;
    core::SampleSchedule schedule_;
    long counted_ = 0;
    long written_ = 0;
    bool measuringNoticeShown_ = false;
    qint64 lostSince_ = 0;
    int exitCode_ = kRecordDone;
    bool stopped_ = false;
};

// Makes SIGINT and SIGTERM call `recording.stop(0)` from the event loop.
void StopOnSignals(HeadlessRecording& recording);

}  // namespace app
