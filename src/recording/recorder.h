#pragma once

#include <QObject>

#include "core/record_row.h"

namespace panel {
class Panel;
}

namespace recording {

class RecordingWriter;

// The recording into a data file, shown on the panel: "Save As" starts it into a chosen file
// (appended to), "Stop Rec" stops it; the count shows the lines that are in the file.
class Recorder : public QObject {
    Q_OBJECT
  public:
    explicit Recorder(panel::Panel* panel);

    // Appends the sample `row` as the next line of a running recording (numbered from 1 for each
    // recording); nothing while idle.
    void RecordSample(core::RecordRow row);

    RecordingWriter* writer() const { return writer_; }

  public slots:
    // "Save As" / "Stop Rec": stops a running recording, else starts one.
    void CmdPsavestop_Click();
    // Asks for the file (an existing one is appended to without a replace question), opens it
    // and starts recording. A file that cannot be opened is reported; nothing starts.
    void StartRecording();
    // Ends a running recording: clears IsRecording, restores the panel's "Save As" caption,
    // hides "Recording:", empties the count and closes the file. Nothing when none runs.
    void StopRecording();

  private:
    void onLineWritten(quint64 recording, long number);
    void onFailed(quint64 recording, const QString& path, const QString& reason, long linesKept);

    panel::Panel* panel_;
    RecordingWriter* writer_;
    // The writer's number of the running recording; 0 while idle.
    quint64 recording_ = 0;
};

}  // namespace recording
