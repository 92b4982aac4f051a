#pragma once

#include <QObject>
#include <QPointer>

#include "core/record_row.h"
#include "core/recording_notice.h"
#include "core/sampling_interval.h"

class QTimer;

namespace files {
class Files;
}
namespace panel {
class Panel;
}

namespace recording {

class RecordingWriter;

// The recording into a data file, shown on the panel: "Save As" starts it into a chosen file
// (appended to), "Stop Rec" stops it; the count shows the lines that are in the file. A
// recording that stops leaves a notice on the panel (when, why, how many lines in which file)
// until the next one starts. It owns the sampling tick (Timer2, on each whole second of the PC
// clock, from its making to its end) and the interval and schedule the samples follow.
class Recorder : public QObject {
    Q_OBJECT
  public:
    // The file is chosen into `files`' DataFileName. The panel shows the recording once given.
    explicit Recorder(files::Files& files);

    // A recording runs; its file stays open meanwhile.
    bool IsRecording = false;
    // Lines of the running recording (the number of the latest line); 0 while idle.
    long RecordingCount = 0;
    // Seconds between two samples, 1 to 86400; the panel shows it as its caption ("2 sec" at
    // start, then "10 Sec" and the like).
    int SamplingInterval = core::kStartSamplingInterval;
    // The seconds of the PC clock the samples fall on; atOnce makes the next tick sample.
    core::SampleSchedule Schedule;

    // The panel that shows the recording and parents its messages.
    void setPanel(panel::Panel* panel);
    // The file of the running or last recording.
    const QString& file() const { return path_; }
    QTimer* timer2() const { return timer2_; }

    // Appends the sample `row` as the next line of a running recording (numbered from 1 for each
    // recording); nothing while idle.
    void RecordSample(core::RecordRow row);

    RecordingWriter* writer() const { return writer_; }

    // Before the program quits: while a recording runs, asks "A recording is running (... lines
    // in ...). Stop it and quit?"; Yes stops it and returns true, No returns false. True when
    // none runs.
    bool MayQuit();

  signals:
    // One tick of Timer2: the sampling tick.
    void sampleTick();

  public slots:
    // Timer2's tick: armed again for the next whole second first, then sampleTick.
    void Timer2_Timer();
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

    void armTimer2();

    files::Files& files_;
    QPointer<panel::Panel> panel_;
    RecordingWriter* writer_;
    QTimer* timer2_;
    // The writer's number of the running recording; 0 while idle.
    quint64 recording_ = 0;
    // The writer's number of the recording that stopped last, and its file.
    quint64 stopped_ = 0;
    QString path_;
};

}  // namespace recording
