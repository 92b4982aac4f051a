#include "recording/recorder.h"

#include "files/file_transfer.h"
#include "panel/panel.h"
#include "recording/recording_state.h"

namespace recording {

Recorder::Recorder(panel::Panel* panel) : QObject(panel), panel_(panel) {}

void Recorder::StopRecording() {
    if (!FileTransfer::State.IsRecording) return;
    FileTransfer::State.IsRecording = false;
    panel_->showRecording(false);
    panel_->showRecordCount(QString());
    Recording::State.RecordingCount = 0;
    FileTransfer::CloseRecordingFile();
}

}  // namespace recording
