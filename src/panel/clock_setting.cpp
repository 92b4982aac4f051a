#include "panel/clock_setting.h"

#include "core/clock_frame.h"

namespace panel {

QByteArray clockSetFrame(const QDateTime& moment) {
    // One reading: date and time are taken from the same QDateTime value.
    const QDate date = moment.date();
    const QTime time = moment.time();
    const auto frame = core::ClockSetFrame(
        {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()});
    return QByteArray(reinterpret_cast<const char*>(frame.data()), frame.size());
}

}  // namespace panel
