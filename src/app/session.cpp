#include "app/session.h"

#include "alarm/alarm.h"
#include "alarm/alarm_dialog.h"
#include "app/subsystems.h"
#include "files/files.h"
#include "link/port_lister.h"
#include "link/qt_serial_line.h"
#include "link/transaction_queue.h"
#include "memory/memory.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "plots/plots.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"

namespace app {

Session::Session(int number, const QString& device,
                 std::shared_ptr<const serial::PortLister> lister)
    : line_(std::make_unique<serial::QtSerialLine>(nullptr, std::move(lister))),
      queue_(std::make_unique<serial::TransactionQueue>(line_.get())),
      readout_(std::make_unique<meter::Readout>()),
      alarm_(std::make_unique<alarms::Alarm>(*queue_)),
      files_(std::make_unique<files::Files>(
          // The recorder is made after the lists and goes before them: asked outside its
          // lifetime, no recording runs.
          files::RecordingLink{[this] { return recorder_ && recorder_->IsRecording; },
                               [this] { return recorder_ ? recorder_->file() : QString(); },
                               [this](core::RecordingStop why) {
                                   if (recorder_) recorder_->StopRecording(why);
                               }},
          &anchor_)),
      recorder_(std::make_unique<recording::Recorder>(*files_)),
      graphs_(std::make_unique<recording::LiveGraphs>(*readout_, &anchor_)),
      memory_(std::make_unique<memory::Memory>(*queue_, *files_)),
      plots_(std::make_unique<plots::Plots>(*files_, &anchor_)),
      poll_(std::make_unique<meter::DisplayPoll>(*line_, *queue_, *readout_, alarm_->AlarmLimits)) {
    // The windows that need the meter close before the panel (connected later) shows "No Com";
    // the Memory window's unload gives back the buttons that the panel then takes for the lost
    // link. The Alarm window stays.
    const meter::Readout* readout = readout_.get();
    connect(readout, &meter::Readout::linkLost, this, [this] { files_->closeOnLinkLost(); });
    connect(readout, &meter::Readout::linkLost, this, [this] { graphs_->closeOnLinkLost(); });
    connect(readout, &meter::Readout::linkLost, plots_.get(), &plots::Plots::closeOnLinkLost);
    connect(readout, &meter::Readout::linkLost, memory_.get(), &memory::Memory::closeOnLinkLost);
    if (number != 0) {
        line_->setPortNumber(number);
    } else if (!device.isEmpty()) {
        line_->setPortDevice(device);
    }
}

Session::~Session() {
    // The windows go first: they may still hold transactions on the queue.
    delete panel_.data();
    // Then the parts in the reverse of their making, each pointer emptied before its part goes,
    // so that a window closing meanwhile finds no recorder rather than a destroyed one.
    poll_.reset();
    plots_.reset();
    memory_.reset();
    graphs_.reset();
    recorder_.reset();
}

panel::Panel* Session::panel() const {
    return panel_;
}

bool Session::startPanel() {
    auto* panel = new panel::Panel(line_.get(), queue_.get(), poll_.get(), readout_.get());
    panel_ = panel;
    anchor_.setPanel(panel);
    connect(panel, &panel::Panel::closing, this, &Session::end);
    recorder_->setPanel(panel);
    connectSubsystems(*this, panel);
    if (!panel->Form_Load()) {
        // The message has been shown; the panel was never visible.
        panel->deleteLater();
        end();
        return false;
    }
    panel->show();
    return true;
}

void Session::end() {
    if (ending_) return;
    ending_ = true;
    poll_->stop();
    queue_->stop();
    line_->close();
    // Every window of the session closes with the port.
    files_->closeOnLinkLost();
    graphs_->closeOnLinkLost();
    plots_->closeOnLinkLost();
    memory_->closeOnLinkLost();
    if (QWidget* alarm = alarm_->find()) alarm->close();
    emit ended();
}

}  // namespace app
