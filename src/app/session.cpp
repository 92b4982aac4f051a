#include "app/session.h"

#include "alarm/alarm.h"
#include "app/subsystems.h"
#include "link/port_lister.h"
#include "link/qt_serial_line.h"
#include "link/transaction_queue.h"
#include "memory/memory.h"
#include "panel/panel.h"

namespace app {

Session::Session(int number, const QString& device,
                 std::shared_ptr<const serial::PortLister> lister)
    : line_(std::make_unique<serial::QtSerialLine>(nullptr, std::move(lister))),
      queue_(std::make_unique<serial::TransactionQueue>(line_.get())),
      memory_(std::make_unique<memory::Memory>()),
      alarm_(std::make_unique<alarms::Alarm>()) {
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
    auto* panel = new panel::Panel(line_.get(), queue_.get(), alarm_->AlarmLimits);
    panel_ = panel;
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
