#include "link/port_names.h"

namespace serial {

QString defaultDeviceForPort(int number) {
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

QString ComPorts::device(int number) const {
    if (number < kFirstPort || number > kLastPort) return defaultDeviceForPort(number);
    const QString& given = devices_[static_cast<std::size_t>(number - kFirstPort)];
    return given.isEmpty() ? defaultDeviceForPort(number) : given;
}

void ComPorts::setDevice(int number, const QString& device) {
    if (number < kFirstPort || number > kLastPort) return;
    devices_[static_cast<std::size_t>(number - kFirstPort)] = device;
}

}  // namespace serial
