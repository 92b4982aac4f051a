#include "app/subsystems.h"

#include "alarm/alarm.h"
#include "app/session.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "memory/memory.h"
#include "memory/memory_commands.h"
#include "panel/panel.h"
#include "plots/list_plotter.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "recording/sampler.h"

namespace app {

void connectSubsystems(Session& session, panel::Panel* panel) {
    using panel::Panel;
    recording::Recorder* recorder = &session.recorder();
    files::Files* files = &session.files();
    recording::LiveGraphs* graphs = &session.graphs();
    auto* plotter = new plots::ListPlotter(session.plots(), panel);
    auto* memory = new memory::MemoryCommands(session.memory(), panel);
    auto* sampler = new recording::Sampler(panel, session.readout(), *recorder, *graphs, *files);

    QObject::connect(panel, &Panel::liveListRequested, panel,
                     [files] { files::OpenLiveList(*files); });
    QObject::connect(panel, &Panel::openFileRequested, panel,
                     [files, panel] { files::OpenDataFile(*files, panel); });
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
    QObject::connect(recorder, &recording::Recorder::sampleTick, sampler,
                     &recording::Sampler::Timer2_Timer);
    QObject::connect(panel, &Panel::samplingIntervalRequested, sampler,
                     &recording::Sampler::CmdPSample_Click);
    QObject::connect(panel, &Panel::saveOrStopRequested, recorder,
                     &recording::Recorder::CmdPsavestop_Click);
    QObject::connect(panel, &Panel::phMvGraphRequested, panel,
                     [graphs] { graphs->ShowPhMvGraph(); });
    QObject::connect(panel, &Panel::temperatureGraphRequested, panel,
                     [graphs] { graphs->ShowTemperatureGraph(); });
    panel->setCloseCheck([recorder] { return recorder->MayQuit(); });
    QObject::connect(&files->events(), &files::ListEvents::plotRequested, plotter,
                     &plots::ListPlotter::plotRequested);
}

}  // namespace app
