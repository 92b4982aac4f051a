#pragma once

#include <QList>
#include <QString>

#include "link/port_names.h"

namespace serial {

// One serial port of this computer.
struct PortInfo {
    // The kernel's device, e.g. /dev/ttyUSB0.
    QString device;
    // A link in the stable-name folder that points at the device (udev's
    // /dev/serial/by-id/usb-…-if00-port0); empty when there is none. It survives a re-plug under
    // another ttyUSB number.
    QString stableName;
    QString description;   // e.g. "USB-Serial Controller"
    QString manufacturer;  // e.g. "Prolific Technology Inc."
    QString serialNumber;  // the USB serial number; empty when unknown
    int vendorId = -1;     // USB ids; -1 when unknown
    int productId = -1;

    // The name to open: the stable name when there is one, else the device.
    QString openName() const { return stableName.isEmpty() ? device : stableName; }
    bool operator==(const PortInfo&) const = default;
};

// Where the serial ports come from, and which device each COMn opens. The Port window and the
// serial line ask it; tests hand in ports of their own. The program makes one at start-up and
// gives it the --comN devices before it shares it.
class PortLister {
  public:
    virtual ~PortLister() = default;
    const ComPorts& comPorts() const { return comPorts_; }
    void setComDevice(int number, const QString& device) { comPorts_.setDevice(number, device); }
    void setComPorts(const ComPorts& comPorts) { comPorts_ = comPorts; }
    // The ports there are now, in a stable order (by device, numbers in numeric order).
    virtual QList<PortInfo> ports() const = 0;
    // The folder of stable names that the list follows (watched by the Port window); empty
    // when there is none.
    virtual QString stableNameFolder() const { return {}; }

  private:
    ComPorts comPorts_;
};

// udev's folder of stable serial port names.
QString defaultStableNameFolder();

// The ports the system reports (QSerialPortInfo), each with the link of `stableNameFolder` that
// points at it. A link whose target is a character device the system does not report (a
// pseudo-terminal, say) is listed too, with the link as its only name. A missing or unreadable
// folder and dangling or looping links are skipped.
class SystemPortLister final : public PortLister {
  public:
    explicit SystemPortLister(QString stableNameFolder = defaultStableNameFolder());
    QList<PortInfo> ports() const override;
    QString stableNameFolder() const override { return folder_; }

  private:
    QString folder_;
};

// The device's name without "/dev/" (ttyUSB0, pts/3); other paths give their file name.
QString shortDeviceName(const QString& device);

// The entry of the Port window: "USB-Serial Controller (Prolific) — /dev/serial/by-id/… →
// ttyUSB0", shorter when the description or the stable name is missing.
QString portEntryText(const PortInfo& port);

// One line of --list-ports: stable name, device and description, separated by TABs; "-" for a
// missing stable name or description.
QString portListLine(const PortInfo& port);

}  // namespace serial
