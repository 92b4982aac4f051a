#pragma once

#include <QSerialPort>

#include "link/serial_line.h"

namespace serial {

// The serial line over QSerialPort.
class QtSerialLine final : public SerialLine {
    Q_OBJECT
public:
    explicit QtSerialLine(QObject* parent = nullptr);

    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    bool setSettings(const QString& settings) override;
    bool open() override;
    bool isOpen() const override { return port_.isOpen(); }
    void close() override;
    // Why the last open failed: no such device, permission denied, busy, not a serial port, or
    // the system's text. Empty after a successful open.
    QString errorText() const override { return errorText_; }
    // The device that the current port number opens; empty when no port (1 to 8) is chosen.
    QString deviceName() const override;
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    int bytesWaiting() const override;
    void flushInput() override;

private:
    void onError(QSerialPort::SerialPortError error);

    QSerialPort port_;
    int number_ = 0;
    qint32 baud_ = 9600;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data8;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    QString errorText_;
};

}  // namespace serial
