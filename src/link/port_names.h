#pragma once

#include <QString>

namespace serial {

// Which device the port COMn opens. On Windows "COMn"; elsewhere the device given on the
// command line with --comN, otherwise /dev/ttyS{n-1}.
QString deviceForPort(int number);
// Sets the device for COMn (from --comN DEVICE); an empty device restores the default.
void setDeviceForPort(int number, const QString& device);
void clearPortDevices();

constexpr int kFirstPort = 1;
constexpr int kLastPort = 8;

}  // namespace serial
