#pragma once

#include <QSerialPort>
#include <QString>

namespace serial {

// Why opening a serial device failed, in words for the user: no such device, permission denied
// (with what the user must do about it), busy, not a serial port, or else the system's own text.
// `error` is what the port reported; `systemError` is the error number of opening the device
// directly (see deviceOpenError), 0 when that worked or is unknown; `systemText` is the port's
// own error text, used when nothing more specific fits.
QString openFailureReason(QSerialPort::SerialPortError error, int systemError,
                          const QString& systemText);

// The error number of opening `device` directly for reading and writing as a terminal, without
// waiting for a carrier: 0 when that works, ENOTTY when it opens but is no terminal. Always 0
// where the system has no such call.
int deviceOpenError(const QString& device);

// What opening `device` would give, for the Port window before the user presses OK: "opens
// /dev/ttyS0", or the device with "(no such device)", "(busy)", "(no permission: join the dialout
// group)" or "(not a serial port)". Opens the device for a moment to find out.
QString deviceHint(const QString& device);
// The parenthesised part of deviceHint alone; empty when the device opens.
QString deviceProblem(const QString& device);

// The text of the message box for a port that did not open: "No device found, try again!", then
// the device tried (when there was one) and the reason.
QString portFailureMessage(const QString& device, const QString& reason);

}  // namespace serial
