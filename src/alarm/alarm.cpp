#include "alarm/alarm.h"

#include "alarm/alarm_dialog.h"

namespace alarms {

Alarm::~Alarm() {
    delete dialog_.data();
}

AlarmDialog* Alarm::find() const {
    return dialog_;
}

AlarmDialog* Alarm::show(QWidget* panel) {
    if (dialog_) {
        dialog_->raise();
        dialog_->activateWindow();
        return dialog_;
    }
    dialog_ = new AlarmDialog(*this, panel);
    dialog_->show();
    return dialog_;
}

}  // namespace alarms
