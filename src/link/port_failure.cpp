#include "link/port_failure.h"

#include <QCoreApplication>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace serial {
namespace {

QString text(const char* source) {
    return QCoreApplication::translate("serial::PortFailure", source);
}

QString noSuchDevice() {
    return text("There is no such device.");
}
QString permissionDenied() {
    return text(
        "Permission denied. You need permission to use serial ports (on Debian: membership of "
        "the dialout group, then log in again).");
}
QString busy() {
    return text("The port is busy: another program is using it.");
}
QString notSerialPort() {
    return text("This is not a serial port.");
}

}  // namespace

QString openFailureReason(QSerialPort::SerialPortError error, int systemError,
                          const QString& systemText) {
    // The error number is the more precise witness: the port reports a missing permission and a
    // device held open exclusively alike, as a permission error.
    switch (systemError) {
        case 0:
            break;
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case EIO:  // a device node without serial hardware behind it
            return noSuchDevice();
        case EACCES:
        case EPERM:
            return permissionDenied();
        case EBUSY:
            return busy();
        case ENOTTY:
        case EISDIR:
            return notSerialPort();
        default:
            break;
    }
    switch (error) {
        case QSerialPort::DeviceNotFoundError:
            return noSuchDevice();
        // The device itself opens (or nothing more is known), so the permission error is the
        // lock of another program on the port; on Windows it is how a port in use is refused.
        case QSerialPort::PermissionError:
            return systemError == 0 ? busy() : permissionDenied();
        case QSerialPort::UnsupportedOperationError:
            return notSerialPort();
        default:
            break;
    }
    if (!systemText.isEmpty()) return systemText;
    return text("The port could not be opened.");
}

int deviceOpenError(const QString& device) {
#ifdef Q_OS_UNIX
    const int descriptor =
        ::open(device.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) return errno;
    const bool terminal = ::isatty(descriptor) == 1;
    ::close(descriptor);
    return terminal ? 0 : ENOTTY;
#else
    Q_UNUSED(device);
    return 0;
#endif
}

QString deviceHint(const QString& device) {
    const QString problem = deviceProblem(device);
    return problem.isEmpty() ? text("opens %1").arg(device)
                             : QStringLiteral("%1 %2").arg(device, problem);
}

QString deviceProblem(const QString& device) {
    const char* problem = nullptr;
    switch (deviceOpenError(device)) {
        case 0:
            return {};
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case EIO:
            problem = "(no such device)";
            break;
        case EACCES:
        case EPERM:
            problem = "(no permission: join the dialout group)";
            break;
        case EBUSY:
            problem = "(busy)";
            break;
        case ENOTTY:
        case EISDIR:
            problem = "(not a serial port)";
            break;
        default:
            problem = "(cannot be opened)";
            break;
    }
    return text(problem);
}

QString portFailureMessage(const QString& device, const QString& reason) {
    QString message = QStringLiteral("No device found, try again!\n\n");
    if (!device.isEmpty()) message += text("Device: %1").arg(device) + '\n';
    return message + reason;
}

}  // namespace serial
