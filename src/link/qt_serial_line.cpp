#include "link/qt_serial_line.h"

#include <QMap>
#include <QStringList>

#include "link/port_failure.h"
#include "link/port_names.h"

namespace serial {

QtSerialLine::QtSerialLine(QObject* parent) : SerialLine(parent) {
    connect(&port_, &QSerialPort::readyRead, this, &SerialLine::bytesArrived);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialLine::onError);
}

void QtSerialLine::setPortNumber(int number) { number_ = number; }

QString QtSerialLine::deviceName() const {
    return number_ >= kFirstPort && number_ <= kLastPort ? deviceForPort(number_) : QString();
}

bool QtSerialLine::setSettings(const QString& settings) {
    const QStringList parts = settings.trimmed().toLower().split(',');
    if (parts.size() != 4) return false;
    bool ok = false;
    const int baud = parts[0].toInt(&ok);
    if (!ok || baud <= 0) return false;
    static const QMap<QString, QSerialPort::Parity> parities = {
        {"n", QSerialPort::NoParity},   {"e", QSerialPort::EvenParity},
        {"o", QSerialPort::OddParity},  {"m", QSerialPort::MarkParity},
        {"s", QSerialPort::SpaceParity}};
    if (!parities.contains(parts[1])) return false;
    const int bits = parts[2].toInt(&ok);
    if (!ok || bits < 5 || bits > 8) return false;
    const QString stop = parts[3];
    if (stop != "1" && stop != "2" && stop != "1.5") return false;
    baud_ = baud;
    parity_ = parities.value(parts[1]);
    dataBits_ = static_cast<QSerialPort::DataBits>(bits);
    stopBits_ = stop == "1" ? QSerialPort::OneStop
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
    if (number_ < kFirstPort || number_ > kLastPort) {
        errorText_ = tr("No port was chosen.");
        return false;
    }
    port_.setPortName(deviceName());
    if (!port_.open(QIODevice::ReadWrite)) {
        errorText_ =
            openFailureReason(port_.error(), deviceOpenError(deviceName()), port_.errorString());
        return false;
    }
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

QByteArray QtSerialLine::readAll() { return port_.isOpen() ? port_.readAll() : QByteArray(); }

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
