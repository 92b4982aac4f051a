#pragma once

#include <QDateTime>
#include <functional>

namespace panel {

// The PC clock as the clock setting reads it; tests install a fixed moment.
QDateTime currentDateTime();
void setClockSource(std::function<QDateTime()> source);

}  // namespace panel
