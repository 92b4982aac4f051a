#pragma once

#include <QString>
#include <array>

namespace serial {

constexpr int kFirstPort = 1;
constexpr int kLastPort = 8;

// The device COMn opens unless another is given: "COMn" on Windows, else /dev/ttyS{n-1}.
QString defaultDeviceForPort(int number);

// Which device each of COM1 to COM8 opens: the default, or the device given with --comN DEVICE
// (or the simulated meter's pseudo-terminal). A plain value: the program's port list holds one.
class ComPorts {
  public:
    QString device(int number) const;
    // Gives COMn another device; an empty device restores the default.
    void setDevice(int number, const QString& device);

  private:
    std::array<QString, kLastPort> devices_;
};

}  // namespace serial
