// What the user is told when the program cannot start: a port that does not open, no display.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>

#include "link/port_failure.h"
#include "link/port_lister.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"

class TestStartFailures : public QObject {
    Q_OBJECT

  private slots:
    void missingDeviceIsNamedWithItsReason() {
        QTemporaryDir folder;
        const QString device = folder.filePath("ttyUSB7");
        auto ports = std::make_shared<serial::SystemPortLister>();
        ports->setComDevice(3, device);
        serial::QtSerialLine line(nullptr, ports);
        line.setPortNumber(3);
        QVERIFY(!line.open());
        QCOMPARE(line.deviceName(), device);
        QCOMPARE(line.errorText(), QString("There is no such device."));
        QCOMPARE(serial::portFailureMessage(line.deviceName(), line.errorText()),
                 "No device found, try again!\n\nDevice: " + device + "\nThere is no such device.");
    }

    // A device chosen by its path (typed into the Port window) that is no serial port.
    void pathsThatAreNoSerialPortSayWhy_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << "missing"
                                 << "There is no such device.";
        QTest::newRow("dangling link") << "dangling"
                                       << "There is no such device.";
        QTest::newRow("null device") << "null"
                                     << "This is not a serial port.";
        QTest::newRow("regular file") << "file"
                                      << "This is not a serial port.";
        QTest::newRow("folder") << "folder"
                                << "This is not a serial port.";
    }
    void pathsThatAreNoSerialPortSayWhy() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        QTemporaryDir folder;
        QString device = folder.filePath("ttyUSB0");
        if (kind == "dangling") QVERIFY(QFile::link(folder.filePath("gone"), device));
        if (kind == "null") device = "/dev/null";
        if (kind == "folder") device = folder.path();
        if (kind == "file") {
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("7.00\r\n");
        }
        serial::QtSerialLine line;
        line.setPortDevice(device);
        QVERIFY(!line.open());
        QVERIFY(!line.isOpen());
        QCOMPARE(line.deviceName(), device);
        QCOMPARE(line.errorText(), reason);
    }

    // The port reports a missing permission and a port held by another program alike; only the
    // first needs the user to be let in.
    void permissionDeniedIsToldApartFromBusy() {
        const QString denied =
            serial::openFailureReason(QSerialPort::PermissionError, EACCES, "Permission denied");
        QVERIFY2(denied.startsWith("Permission denied.") && denied.contains("dialout group"),
                 qPrintable(denied));
        for (const int systemError : {EBUSY, 0}) {
            const QString busy = serial::openFailureReason(QSerialPort::PermissionError,
                                                           systemError, "Permission denied");
            QCOMPARE(busy, QString("The port is busy: another program is using it."));
        }
    }

    void noDisplayIsOneLineAndAFailure() {
#ifndef METERPANEL_BINARY
        QSKIP("built without the program's path");
#else
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(METERPANEL_BINARY, {});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QVERIFY(program.exitCode() != 0);
        QCOMPARE(QString::fromLocal8Bit(program.readAllStandardError()),
                 QString("meterpanel: no graphical display available (set DISPLAY or "
                         "WAYLAND_DISPLAY, or run under a desktop session)\n"));

        program.start(METERPANEL_BINARY, {"--version"});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitCode(), 0);
        QVERIFY(program.readAllStandardOutput().startsWith("meterpanel "));
#endif
    }
};

QTEST_MAIN(TestStartFailures)
#include "test_start_failures.moc"
