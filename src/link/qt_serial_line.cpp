#include "link/qt_serial_line.h"

#include <QFileInfo>
#include <QMap>
#include <QStringList>
#include <cerrno>

#include "link/port_failure.h"
#include "link/port_lister.h"
#include "link/port_names.h"

namespace serial {
namespace {

QString canonical(const QString& device) {
    const QString path = QFileInfo(device).canonicalFilePath();
    return path.isEmpty() ? device : path;
}

}  // namespace

QtSerialLine::QtSerialLine(QObject* parent, std::shared_ptr<const PortLister> lister)
    : SerialLine(parent),
      lister_(lister ? std::move(lister) : std::make_shared<SystemPortLister>()) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialLine::bytesArrived);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLine::onError);
}

QtSerialLine::~QtSerialLine() = default;

void QtSerialLine::setPortNumber(int number) {
    number_ = number;
    device_.clear();
    forgetIdentity();
}

void QtSerialLine::setPortDevice(const QString& device) {
    number_ = 0;
    device_ = device.trimmed();
#ifndef Q_OS_WIN
    // A bare name is a device in /dev, as QSerialPort takes it: ttyUSB0 is /dev/ttyUSB0.
    if (!device_.isEmpty() && !device_.contains('/')) device_.prepend(QStringLiteral("/dev/"));
#endif
    forgetIdentity();
}

QString QtSerialLine::deviceName() const {
    if (number_ >= kFirstPort && number_ <= kLastPort) return lister().comPorts().device(number_);
    return device_;
}

QString QtSerialLine::portCaption() const {
    if (number_ >= kFirstPort && number_ <= kLastPort) return QStringLiteral("Com%1").arg(number_);
    const QString device = port_.isOpen() ? opened_ : deviceName();
    return shortDeviceName(canonical(device));
}

const PortLister& QtSerialLine::lister() const {
    return *lister_;
}

void QtSerialLine::forgetIdentity() {
    identity_.reset();
}

void QtSerialLine::rememberIdentity(const QString& opened) {
    auto identity = std::make_unique<Identity>();
    // A chosen link (udev's stable name, or the simulated meter's --link) follows the device by
    // itself.
    if (QFileInfo(opened).isSymLink()) identity->stableName = opened;
    const QString device = canonical(opened);
    for (const PortInfo& port : lister().ports()) {
        if (canonical(port.device) != device && port.stableName != opened) continue;
        if (identity->stableName.isEmpty()) identity->stableName = port.stableName;
        identity->serialNumber = port.serialNumber;
        identity->vendorId = port.vendorId;
        identity->productId = port.productId;
        break;
    }
    identity_ = std::move(identity);
}

QString QtSerialLine::whereToOpen() {
    const QString chosen = deviceName();
    if (!identity_ || (identity_->stableName.isEmpty() && identity_->serialNumber.isEmpty()))
        return chosen;
    // exists() follows the link: false while it dangles.
    if (!identity_->stableName.isEmpty() && QFileInfo::exists(identity_->stableName))
        return identity_->stableName;
    if (!identity_->serialNumber.isEmpty()) {
        for (const PortInfo& port : lister().ports()) {
            if (port.serialNumber == identity_->serialNumber &&
                port.vendorId == identity_->vendorId && port.productId == identity_->productId)
                return port.openName();
        }
    }
    // The adapter is not back yet; whatever now has its old device name may be another one.
    return {};
}

bool QtSerialLine::setSettings(const QString& settings) {
    const QStringList parts = settings.trimmed().toLower().split(',');
    if (parts.size() != 4) return false;
    bool ok = false;
    const int baud = parts[0].toInt(&ok);
    if (!ok || baud <= 0) return false;
    static const QMap<QString, QSerialPort::Parity> parities = {{"n", QSerialPort::NoParity},
                                                                {"e", QSerialPort::EvenParity},
                                                                {"o", QSerialPort::OddParity},
                                                                {"m", QSerialPort::MarkParity},
                                                                {"s", QSerialPort::SpaceParity}};
    if (!parities.contains(parts[1])) return false;
    const int bits = parts[2].toInt(&ok);
    if (!ok || bits < 5 || bits > 8) return false;
    const QString stop = parts[3];
    if (stop != "1" && stop != "2" && stop != "1.5") return false;
    baud_ = baud;
    parity_ = parities.value(parts[1]);
    dataBits_ = static_cast<QSerialPort::DataBits>(bits);
    stopBits_ = stop == "1"   ? QSerialPort::OneStop
                : stop == "2" ? QSerialPort::TwoStop
                              : QSerialPort::OneAndHalfStop;
    if (port_.isOpen()) {
        port_.setBaudRate(baud_);
        port_.setParity(parity_);
        port_.setDataBits(dataBits_);
        port_.setStopBits(stopBits_);
    }
    return true;
}

bool QtSerialLine::open() {
    if (port_.isOpen()) return true;
    errorText_.clear();
    if (deviceName().isEmpty()) {
        errorText_ = tr("No port was chosen.");
        return false;
    }
    const QString device = whereToOpen();
    if (device.isEmpty()) {
        errorText_ = openFailureReason(QSerialPort::DeviceNotFoundError, ENODEV, {});
        return false;
    }
    if (!openDeviceNamed(device)) return false;
    if (!identity_) rememberIdentity(device);
    return true;
}

bool QtSerialLine::openDeviceNamed(const QString& device) {
    port_.setPortName(device);
    if (!port_.open(QIODevice::ReadWrite)) {
        errorText_ = openFailureReason(port_.error(), deviceOpenError(device), port_.errorString());
        return false;
    }
    opened_ = device;
    port_.setBaudRate(baud_);
    port_.setParity(parity_);
    port_.setDataBits(dataBits_);
    port_.setStopBits(stopBits_);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clearError();
    return true;
}

void QtSerialLine::close() {
    if (port_.isOpen()) port_.close();
}

QByteArray QtSerialLine::readAll() {
    return port_.isOpen() ? port_.readAll() : QByteArray();
}

bool QtSerialLine::write(const QByteArray& bytes) {
    if (!port_.isOpen()) return false;
    return port_.write(bytes) == bytes.size();
}

int QtSerialLine::bytesWaiting() const {
    return port_.isOpen() ? static_cast<int>(port_.bytesAvailable()) : 0;
}

void QtSerialLine::flushInput() {
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::Input);
    port_.readAll();
}

void QtSerialLine::onError(QSerialPort::SerialPortError error) {
    // A failed open reports its error through open() and must keep it for errorText().
    if (!port_.isOpen()) return;
    switch (error) {
        case QSerialPort::ReadError:
        case QSerialPort::WriteError:
        case QSerialPort::ResourceError: {
            // A vanished device floods read errors with the port still open: close it at once and
            // let the lost-link probe reopen it later. Closing (not deleting) is safe in this slot.
            const QString reason = port_.errorString();
            port_.clearError();
            if (port_.isOpen()) {
                port_.close();
                emit lineLost(reason);
            }
            break;
        }
        default:
            // Modem-line calls fail on pseudo-terminals; other errors are reported by the calls.
            break;
    }
}

}  // namespace serial
