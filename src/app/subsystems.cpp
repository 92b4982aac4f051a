#include "app/subsystems.h"

#include "alarm/alarm_dialog.h"
#include "files/list_commands.h"
#include "files/list_events.h"
#include "panel/panel.h"
#include "plots/list_plotter.h"
#include "recording/recorder.h"

namespace app {

void connectSubsystems(panel::Panel* panel) {
    using panel::Panel;
    auto* recorder = new recording::Recorder(panel);
    auto* plotter = new plots::ListPlotter(panel);

    QObject::connect(panel, &Panel::liveListRequested, panel, [] { FileTransfer::OpenLiveList(); });
    QObject::connect(panel, &Panel::openFileRequested, panel,
                     [panel] { FileTransfer::OpenDataFile(panel); });
    QObject::connect(panel, &Panel::alarmRequested, panel,
                     [panel] { alarms::AlarmDialog::showDialog(panel); });
    QObject::connect(&FileTransfer::events(), &FileTransfer::ListEvents::recordingStopRequested,
                     recorder, &recording::Recorder::StopRecording, Qt::DirectConnection);
    QObject::connect(&FileTransfer::events(), &FileTransfer::ListEvents::plotRequested, plotter,
                     &plots::ListPlotter::plotRequested);
}

}  // namespace app
