#include "app/session.h"

#include "app/subsystems.h"
#include "files/files.h"
#include "link/link_events.h"
#include "link/port_lister.h"
#include "link/qt_serial_line.h"
#include "link/transaction_queue.h"
#include "panel/panel.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"

namespace app {

Session::Session(int number, const QString& device,
                 std::shared_ptr<const serial::PortLister> lister)
    : line_(std::make_unique<serial::QtSerialLine>(nullptr, std::move(lister))),
      queue_(std::make_unique<serial::TransactionQueue>(line_.get())),
      files_(std::make_unique<files::Files>(files::RecordingLink{
          [this] { return recorder_->IsRecording; }, [this] { return recorder_->file(); },
          [this](core::RecordingStop why) { recorder_->StopRecording(why); }})),
      recorder_(std::make_unique<recording::Recorder>(*files_)),
      graphs_(std::make_unique<recording::LiveGraphs>()) {
    QObject::connect(&serial::events(), &serial::LinkEvents::linkLost, this,
                     [this] { files_->closeOnLinkLost(); });
    QObject::connect(&serial::events(), &serial::LinkEvents::linkLost, this,
                     [this] { graphs_->closeOnLinkLost(); });
    if (number != 0) {
        line_->setPortNumber(number);
    } else if (!device.isEmpty()) {
        line_->setPortDevice(device);
    }
}

Session::~Session() {
    // The windows go first: they may still hold transactions on the queue.
    delete panel_.data();
}

panel::Panel* Session::panel() const {
    return panel_;
}

bool Session::startPanel() {
    auto* panel = new panel::Panel(line_.get(), queue_.get());
    panel_ = panel;
    recorder_->setPanel(panel);
    connectSubsystems(*this, panel);
    if (!panel->Form_Load()) {
        // The message has been shown; the panel was never visible.
        panel->deleteLater();
        return false;
    }
    panel->show();
    return true;
}

}  // namespace app
