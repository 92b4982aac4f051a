#pragma once

#include <QSerialPort>
#include <memory>

#include "link/serial_line.h"

namespace serial {

class PortLister;

// The serial line over QSerialPort. After the first open it knows the adapter it opened by its
// stable name and its USB serial number, so that a later open (the lost-link probe) finds the
// same adapter again when it comes back under another device name.
class QtSerialLine final : public SerialLine {
    Q_OBJECT
  public:
    // `lister` finds the stable names and serial numbers and says which device each COMn opens;
    // null: the system's ports and udev's stable names, COMn at its default device.
    explicit QtSerialLine(QObject* parent = nullptr,
                          std::shared_ptr<const PortLister> lister = nullptr);
    ~QtSerialLine() override;

    void setPortNumber(int number) override;
    int portNumber() const override { return number_; }
    void setPortDevice(const QString& device) override;
    QString portCaption() const override;
    bool setSettings(const QString& settings) override;
    // Opens the chosen port. Once an adapter has been opened, opens it again by its stable name
    // when that exists, else by its USB serial number, wherever it is now; the chosen name itself
    // only when neither is known.
    bool open() override;
    bool isOpen() const override { return port_.isOpen(); }
    void close() override;
    // Why the last open failed: no such device, permission denied, busy, not a serial port, or
    // the system's text. Empty after a successful open.
    QString errorText() const override { return errorText_; }
    // The device that the current port number opens, or the device chosen by name; empty when no
    // port is chosen.
    QString deviceName() const override;
    // The device the port has open now (after a re-plug possibly another one than chosen);
    // empty while closed.
    QString openDevice() const { return port_.isOpen() ? opened_ : QString(); }
    QByteArray readAll() override;
    bool write(const QByteArray& bytes) override;
    int bytesWaiting() const override;
    void flushInput() override;

  private:
    // What identifies the adapter that was opened first.
    struct Identity {
        QString stableName;
        QString serialNumber;
        int vendorId = -1;
        int productId = -1;
    };

    void onError(QSerialPort::SerialPortError error);
    const PortLister& lister() const;
    void forgetIdentity();
    void rememberIdentity(const QString& opened);
    // Where to open now; empty when the adapter opened before is nowhere to be found.
    QString whereToOpen();
    bool openDeviceNamed(const QString& device);

    QSerialPort port_;
    std::shared_ptr<const PortLister> lister_;
    int number_ = 0;
    QString device_;
    QString opened_;
    std::unique_ptr<Identity> identity_;
    qint32 baud_ = 9600;
    QSerialPort::Parity parity_ = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits_ = QSerialPort::Data8;
    QSerialPort::StopBits stopBits_ = QSerialPort::OneStop;
    QString errorText_;
};

}  // namespace serial
