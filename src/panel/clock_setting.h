#pragma once

#include <QByteArray>
#include <QDateTime>

namespace panel {

// The clock-set frame for one reading of the PC clock: "D" and six BCD fields.
QByteArray clockSetFrame(const QDateTime& moment);

}  // namespace panel
