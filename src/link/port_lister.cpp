#include "link/port_lister.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSerialPortInfo>
#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "link/port_failure.h"

namespace serial {
namespace {

// Devices compare by their name's stem, then by its trailing number: ttyUSB2 before ttyUSB10.
bool deviceBefore(const QString& a, const QString& b) {
    auto split = [](const QString& name) {
        qsizetype digits = name.size();
        while (digits > 0 && name.at(digits - 1).isDigit()) --digits;
        return std::pair{name.left(digits), name.mid(digits).toLongLong()};
    };
    const auto [stemA, numberA] = split(a);
    const auto [stemB, numberB] = split(b);
    if (stemA != stemB) return stemA < stemB;
    if (numberA != numberB) return numberA < numberB;
    return a < b;
}

bool isCharacterDevice(const QString& path) {
    std::error_code error;
    return std::filesystem::is_character_file(path.toStdString(), error);
}

// The stable-name links of `folder` by the canonical path of the device they point at; the first
// link in name order wins when several point at one device.
QHash<QString, QString> linksByDevice(const QString& folder) {
    QHash<QString, QString> links;
    if (folder.isEmpty()) return links;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        if (!entry.isSymLink()) continue;
        // Empty for a dangling or looping link.
        const QString target = entry.canonicalFilePath();
        if (target.isEmpty() || links.contains(target) || !isCharacterDevice(target)) continue;
        links.insert(target, entry.absoluteFilePath());
    }
    return links;
}

// The kernel makes /dev/ttyS0 and more whether or not a UART is there; opening one without
// hardware fails with EIO.
bool isLegacyPortWithoutHardware(const QString& device) {
    if (!device.startsWith(QStringLiteral("/dev/ttyS"))) return false;
    const int error = deviceOpenError(device);
    return error == EIO || error == ENXIO || error == ENODEV || error == ENOENT;
}

QString canonical(const QString& device) {
    const QString path = QFileInfo(device).canonicalFilePath();
    return path.isEmpty() ? device : path;
}

}  // namespace

QString defaultStableNameFolder() {
    return QStringLiteral("/dev/serial/by-id");
}

SystemPortLister::SystemPortLister(QString stableNameFolder)
    : folder_(std::move(stableNameFolder)) {}

QList<PortInfo> SystemPortLister::ports() const {
    QHash<QString, QString> links = linksByDevice(folder_);
    QList<PortInfo> ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        PortInfo port;
        port.device = info.systemLocation();
        if (isLegacyPortWithoutHardware(port.device)) continue;
        port.stableName = links.take(canonical(port.device));
        port.description = info.description();
        port.manufacturer = info.manufacturer();
        port.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier()) port.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier()) port.productId = info.productIdentifier();
        ports.append(port);
    }
    // Links to devices the system does not report as serial ports.
    for (auto link = links.cbegin(); link != links.cend(); ++link) {
        PortInfo port;
        port.device = link.key();
        port.stableName = link.value();
        ports.append(port);
    }
    std::sort(ports.begin(), ports.end(), [](const PortInfo& a, const PortInfo& b) {
        return deviceBefore(a.device, b.device);
    });
    return ports;
}

QString shortDeviceName(const QString& device) {
    const QString prefix = QStringLiteral("/dev/");
    if (device.startsWith(prefix) && device.size() > prefix.size())
        return device.mid(prefix.size());
    const QString name = QFileInfo(device).fileName();
    return name.isEmpty() ? device : name;
}

namespace {

QString describe(const PortInfo& port) {
    if (port.manufacturer.isEmpty() || port.description.contains(port.manufacturer))
        return port.description;
    if (port.description.isEmpty()) return port.manufacturer;
    return QStringLiteral("%1 (%2)").arg(port.description, port.manufacturer);
}

}  // namespace

QString portEntryText(const PortInfo& port) {
    const QString name =
        port.stableName.isEmpty()
            ? port.device
            : QStringLiteral("%1 → %2").arg(port.stableName, shortDeviceName(port.device));
    const QString description = describe(port);
    return description.isEmpty() ? name : QStringLiteral("%1 — %2").arg(description, name);
}

QString portListLine(const PortInfo& port) {
    const QString description = describe(port);
    return QStringLiteral("%1\t%2\t%3")
        .arg(port.stableName.isEmpty() ? QStringLiteral("-") : port.stableName, port.device,
             description.isEmpty() ? QStringLiteral("-") : description);
}

}  // namespace serial
