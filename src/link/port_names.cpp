#include "link/port_names.h"

#include <QMap>

namespace serial {
namespace {
QMap<int, QString>& overrides() {
    static QMap<int, QString> map;
    return map;
}
}  // namespace

QString deviceForPort(int number) {
    if (overrides().contains(number)) return overrides().value(number);
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(number);
#else
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
#endif
}

void setDeviceForPort(int number, const QString& device) {
    if (device.isEmpty())
        overrides().remove(number);
    else
        overrides().insert(number, device);
}

void clearPortDevices() { overrides().clear(); }

}  // namespace serial
