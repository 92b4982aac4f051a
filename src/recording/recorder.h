#pragma once

#include <QObject>

#include "core/record_row.h"
#include "core/recording_notice.h"

namespace panel {
class Panel;
}

namespace recording {

class RecordingWriter;

// The recording into a data file, shown on the panel: "Save As" starts it into a chosen file
// (appended to), "Stop Rec" stops it; the count shows the lines that are in the file. A
// recording that stops leaves a notice on the panel (when, why, how many lines in which file)
// until the next one starts.
class Recorder : public QObject {
    Q_OBJECT
  public:
    explicit Recorder(panel::Panel* panel);

    // Appends the sample `row` as the next line of a running recording (numbered from 1 for each
    // recording); nothing while idle.
    void RecordSample(core::RecordRow row);

    RecordingWriter* writer() const { return writer_; }

    // Before the program quits: while a recording runs, asks "A recording is running (... lines
    // in ...). Stop it and quit?"; Yes stops it and returns true, No returns false. True when
    // none runs.
    bool MayQuit();

  public slots:
    // "Save As" / "Stop Rec": stops a running recording, else starts one.
    void CmdPsavestop_Click();
    // Asks for the file (an existing one is appended to without a replace question), opens it
    // and starts recording; the notice of the last recording goes. A file that cannot be opened
    // is reported; nothing starts.
    void StartRecording();
    // Ends a running recording: clears IsRecording, restores the panel's "Save As" caption,
    // hides "Recording:", empties the count, closes the file and says on the panel why it
    // stopped. Nothing when none runs.
    void StopRecording(core::RecordingStop why = core::RecordingStop::StopRec);

  private:
    void stop(core::RecordingStop why, long lines);
    void showNotice(core::RecordingStop why, long lines);
    void onLineWritten(quint64 recording, long number);
    void onFailed(quint64 recording, const QString& path, const QString& reason, long linesKept);

    panel::Panel* panel_;
    RecordingWriter* writer_;
    // The writer's number of the running recording; 0 while idle.
    quint64 recording_ = 0;
    // The writer's number of the recording that stopped last, and its file.
    quint64 stopped_ = 0;
    QString path_;
};

}  // namespace recording
