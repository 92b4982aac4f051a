#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace serial {

// The serial line as the program uses it: raw bytes, strictly polled. `bytesArrived` only wakes
// waits; nobody reacts to data as it comes.
class SerialLine : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~SerialLine() override = default;

    // Chooses the port COMn; forgets a device chosen by name.
    virtual void setPortNumber(int number) = 0;
    virtual int portNumber() const = 0;
    // Chooses a device by its path or stable name instead of a number (the number becomes 0).
    // A line that knows only numbered ports ignores it.
    virtual void setPortDevice(const QString& device) { Q_UNUSED(device); }
    // A short name of the port for the panel: "Com3" for a numbered port, else the device's
    // short name (ttyUSB0).
    virtual QString portCaption() const { return QStringLiteral("Com%1").arg(portNumber()); }
    // "9600,n,8,1" style settings text; false when the text cannot be applied.
    virtual bool setSettings(const QString& settings) = 0;

    virtual bool open() = 0;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Why the last open failed, for messages.
    virtual QString errorText() const = 0;
    // The device that the current port number opens, or the device chosen by name.
    virtual QString deviceName() const = 0;

    // Takes every waiting byte out of the receive buffer.
    virtual QByteArray readAll() = 0;
    // Writes the bytes unchanged; false when the line is not usable.
    virtual bool write(const QByteArray& bytes) = 0;
    // Number of bytes waiting.
    virtual int bytesWaiting() const = 0;
    // Empties the receive buffers (the driver's and our own).
    virtual void flushInput() = 0;

signals:
    void bytesArrived();
    // The line went away (device removed, far end hung up); the port has been closed.
    void lineLost(const QString& reason);
};

}  // namespace serial
