#include "recording/recorder.h"

#include <QPointer>
#include <QTime>
#include <QTimer>

#include "files/file_transfer.h"
#include "files/files.h"
#include "panel/panel.h"
#include "recording/recording_writer.h"
#include "ui/dialogs.h"
#include "ui/pc_clock.h"

namespace recording {

namespace {
const QString kTitle = QStringLiteral("Recording");
}

Recorder::Recorder(files::Files& files)
    : files_(files), writer_(new RecordingWriter(this)), timer2_(new QTimer(this)) {
    connect(writer_, &RecordingWriter::lineWritten, this, &Recorder::onLineWritten);
    connect(writer_, &RecordingWriter::failed, this, &Recorder::onFailed);
    // The sampling tick runs on the PC clock's whole seconds: armed anew for the next one at
    // every tick, so that ticks neither drift nor run twice in one second.
    timer2_->setObjectName("Timer2");
    timer2_->setSingleShot(true);
    timer2_->setTimerType(Qt::PreciseTimer);
    connect(timer2_, &QTimer::timeout, this, &Recorder::Timer2_Timer);
    armTimer2();
}

void Recorder::setPanel(panel::Panel* panel) {
    panel_ = panel;
}

void Recorder::armTimer2() {
    timer2_->start(core::MillisecondsToNextSecond(ui::pcNow().time().msec()));
}

void Recorder::Timer2_Timer() {
    // Armed first: a tick that runs long still gets the next second's tick.
    armTimer2();
    emit sampleTick();
}

void Recorder::CmdPsavestop_Click() {
    if (IsRecording)
        StopRecording(core::RecordingStop::StopRec);
    else
        StartRecording();
}

void Recorder::StartRecording() {
    if (IsRecording) return;
    // The panel (and this recorder with it) may be closed while the dialog stands.
    const QPointer<Recorder> self(this);
    if (!files::ChooseSaveFile(files_, panel_, ui::Dialogs::ExistingFile::AppendWithoutAsking) ||
        !self)
        return;
    const QString path = files_.DataFileName;
    if (panel_) panel_->showFileName(files::FileTitle(path));

    QString reason;
    std::unique_ptr<files::RecordingFile> file = files::RecordingFile::open(path, &reason);
    if (!file) {
        ui::dialogs().message(
            panel_, kTitle,
            QStringLiteral("The recording file\n%1\ncould not be opened.\n\n%2\n\n"
                           "No recording was started.")
                .arg(path, reason),
            ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
        return;
    }
    recording_ = writer_->begin(std::move(file));
    path_ = path;
    stopped_ = 0;
    IsRecording = true;
    if (panel_) panel_->showRecording(true);
    if (panel_) panel_->showRecordingNotice(QString());
}

void Recorder::StopRecording(core::RecordingStop why) {
    if (!IsRecording) return;
    stop(why, RecordingCount);
}

void Recorder::stop(core::RecordingStop why, long lines) {
    IsRecording = false;
    if (panel_) panel_->showRecording(false);
    if (panel_) panel_->showRecordCount(QString());
    RecordingCount = 0;
    writer_->end();
    stopped_ = recording_;
    recording_ = 0;
    showNotice(why, lines);
}

void Recorder::showNotice(core::RecordingStop why, long lines) {
    if (why == core::RecordingStop::Quit) return;
    if (!panel_) return;
    const QTime now = ui::pcNow().time();
    panel_->showRecordingNotice(QString::fromStdString(
        core::RecordingStopNotice(why, now.hour(), now.minute(), now.second(), lines,
                                  files::FileTitle(path_).toStdString())));
}

bool Recorder::MayQuit() {
    if (!IsRecording) return true;
    const std::string question =
        core::RecordingQuitQuestion(RecordingCount, files::FileTitle(path_).toStdString());
    if (ui::dialogs().message(panel_, panel_ ? panel_->windowTitle() : QString(),
                              QString::fromStdString(question), ui::Dialogs::Icon::Question,
                              ui::Dialogs::Buttons::YesNo) != ui::Dialogs::Answer::Yes)
        return false;
    StopRecording(core::RecordingStop::Quit);
    return true;
}

void Recorder::RecordSample(core::RecordRow row) {
    if (!IsRecording) return;
    const long number = ++RecordingCount;
    row.cells[0] = core::recordNumberText(number);
    writer_->append(row.recordingFileLine(), number);
}

void Recorder::onLineWritten(quint64 recording, long number) {
    if (recording != recording_) return;
    // A blank in place of a sign, then the count.
    if (panel_) panel_->showRecordCount(QStringLiteral(" %1").arg(number));
}

void Recorder::onFailed(quint64 recording, const QString& path, const QString& reason,
                        long linesKept) {
    // The notice says so too, also when the failure came after a stop, while the last lines
    // were written.
    if (recording == recording_)
        stop(core::RecordingStop::WriteFailure, linesKept);
    else if (recording == stopped_)
        showNotice(core::RecordingStop::WriteFailure, linesKept);
    const QString kept =
        linesKept > 0
            ? QStringLiteral("Lines 1 to %1 of this recording are kept in the file.").arg(linesKept)
            : QStringLiteral("No line of this recording reached the file.");
    ui::dialogs().message(panel_, kTitle,
                          QStringLiteral("The recording into\n%1\nhas stopped: a line could not "
                                         "be written to the disk.\n\n%2\n\n%3")
                              .arg(path, reason, kept),
                          ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
}

}  // namespace recording
