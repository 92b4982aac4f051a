#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <string>

namespace files {
class RecordingFile;
}

namespace recording {

// Writes the recording file on a worker thread of its own, so that a slow, stalled or removed
// disk never holds up the windows: the window thread only hands over complete lines. The
// worker writes each line with one write and forces the file onto the disk at least once a
// second while lines come in, then reports each line written (the panel counts only lines that
// are in the file, so a line that was counted survives a crash of the program). A line that
// cannot be written or forced to disk ends that recording's writing and is reported once; what
// was written before stays in the file. Lines, begins and ends are handled in the order given,
// across recordings.
class RecordingWriter : public QObject {
    Q_OBJECT

  public:
    explicit RecordingWriter(QObject* parent = nullptr);
    // Lets the worker write, force and close what was handed over, waiting at most a few
    // seconds for a stalled disk before leaving it to finish alone.
    ~RecordingWriter() override;

    // Starts a recording into `file` (open); returns its number (1, 2, ...) for the reports.
    quint64 begin(std::unique_ptr<files::RecordingFile> file);
    // Hands over line `number` (complete, line end included) of the current recording.
    void append(std::string line, long number);
    // Ends the current recording: its lines are written, forced to disk and the file closed.
    void end();

    // Figures of the worker, for benchmarks: syncs done and the longest one.
    struct Figures {
        long syncs = 0;
        double longestSyncMs = 0;
    };
    Figures figures() const;
    // Waits up to `timeoutMs` until every line handed over is written and forced to disk.
    bool waitUntilSettled(int timeoutMs) const;

  signals:
    // Line `number` of recording `recording` is in the file.
    void lineWritten(quint64 recording, long number);
    // Recording `recording` could not go on: `reason` from the system; lines 1 to
    // `linesKept` are in the file.
    void failed(quint64 recording, const QString& path, const QString& reason, long linesKept);

  private:
    struct Shared;
    static void run(std::shared_ptr<Shared> shared);

    std::shared_ptr<Shared> shared_;
    quint64 lastRecording_ = 0;
};

}  // namespace recording
