#include "app/subsystems.h"

#include "alarm/alarm.h"
#include "alarm/alarm_dialog.h"
#include "app/session.h"
#include "files/list_commands.h"
#include "files/list_events.h"
#include "link/link_events.h"
#include "memory/memory.h"
#include "memory/memory_commands.h"
#include "panel/panel.h"
#include "plots/list_plotter.h"
#include "recording/graphs.h"
#include "recording/recorder.h"
#include "recording/sampler.h"

namespace app {

void connectSubsystems(Session& session, panel::Panel* panel) {
    using panel::Panel;
    auto* recorder = new recording::Recorder(panel);
    auto* plotter = new plots::ListPlotter(session.plots(), panel);
    auto* memory = new memory::MemoryCommands(session.memory(), panel);
    auto* sampler = new recording::Sampler(panel, recorder);

    QObject::connect(panel, &Panel::liveListRequested, panel, [] { files::OpenLiveList(); });
    QObject::connect(panel, &Panel::openFileRequested, panel,
                     [panel] { files::OpenDataFile(panel); });
    QObject::connect(panel, &Panel::alarmRequested, panel,
                     [&session, panel] { session.alarm().show(panel); });
    QObject::connect(panel, &Panel::singleRecordsRequested, memory,
                     &memory::MemoryCommands::CmdPsingle_Click);
    QObject::connect(panel, &Panel::multiRecordsRequested, memory,
                     &memory::MemoryCommands::CmdPmul_Click);
    QObject::connect(&session.memory(), &memory::Memory::windowOpenChanged, panel,
                     &Panel::setMemoryWindowOpen);
    QObject::connect(&session.memory(), &memory::Memory::downloadRunningChanged, panel,
                     &Panel::setDownloadRunning);
    QObject::connect(&session.memory(), &memory::Memory::setsListed, panel, &Panel::setsListed);
    // Before the panel hears of the lost link: the window's unload gives back the buttons that
    // the panel then takes for the lost link.
    QObject::connect(&serial::events(), &serial::LinkEvents::linkLost, &session.memory(),
                     &memory::Memory::closeOnLinkLost);
    QObject::connect(panel, &Panel::sampleTick, sampler, &recording::Sampler::Timer2_Timer);
    QObject::connect(panel, &Panel::samplingIntervalRequested, sampler,
                     &recording::Sampler::CmdPSample_Click);
    QObject::connect(panel, &Panel::saveOrStopRequested, recorder,
                     &recording::Recorder::CmdPsavestop_Click);
    QObject::connect(panel, &Panel::phMvGraphRequested, panel, [] { recording::ShowPhMvGraph(); });
    QObject::connect(panel, &Panel::temperatureGraphRequested, panel,
                     [] { recording::ShowTemperatureGraph(); });
    QObject::connect(&files::events(), &files::ListEvents::recordingStopRequested,
                     recorder, &recording::Recorder::StopRecording, Qt::DirectConnection);
    panel->setCloseCheck([recorder] { return recorder->MayQuit(); });
    QObject::connect(&files::events(), &files::ListEvents::plotRequested, plotter,
                     &plots::ListPlotter::plotRequested);
}

}  // namespace app
