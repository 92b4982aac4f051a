// The list of serial ports: its texts, the stable-name folder with whatever it may hold, and
// `meterpanel --list-ports`.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "app/command_line.h"
#include "link/port_lister.h"
#include "support/meter_fixture.h"

Q_DECLARE_METATYPE(serial::PortInfo)

namespace {

QStringList stableNames(const QList<serial::PortInfo>& ports) {
    QStringList names;
    for (const serial::PortInfo& port : ports)
        if (!port.stableName.isEmpty()) names << port.stableName + " " + port.device;
    return names;
}

}  // namespace

class TestListPorts : public QObject {
    Q_OBJECT

  private slots:
    void textsOfAPort_data() {
        QTest::addColumn<serial::PortInfo>("port");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("line");
        serial::PortInfo full;
        full.device = "/dev/ttyUSB0";
        full.stableName = "/dev/serial/by-id/usb-Prolific-if00-port0";
        full.description = "USB-Serial Controller";
        full.manufacturer = "Prolific";
        QTest::newRow("everything")
            << full
            << "USB-Serial Controller (Prolific) — /dev/serial/by-id/usb-Prolific-if00-port0 → "
               "ttyUSB0"
            << "/dev/serial/by-id/usb-Prolific-if00-port0\t/dev/ttyUSB0\tUSB-Serial Controller "
               "(Prolific)";
        serial::PortInfo maker;
        maker.device = "/dev/ttyACM0";
        maker.manufacturer = "Arduino";
        QTest::newRow("manufacturer only") << maker << "Arduino — /dev/ttyACM0"
                                           << "-\t/dev/ttyACM0\tArduino";
        serial::PortInfo named;
        named.device = "/dev/pts/4";
        named.stableName = "/tmp/by-id/meter";
        named.description = "FTDI FT232R";
        named.manufacturer = "FTDI";
        QTest::newRow("manufacturer in the description")
            << named << "FTDI FT232R — /tmp/by-id/meter → pts/4"
            << "/tmp/by-id/meter\t/dev/pts/4\tFTDI FT232R";
        serial::PortInfo bare;
        bare.device = "/dev/ttyS4";
        QTest::newRow("device only") << bare << "/dev/ttyS4"
                                     << "-\t/dev/ttyS4\t-";
    }
    void textsOfAPort() {
        QFETCH(serial::PortInfo, port);
        QFETCH(QString, entry);
        QFETCH(QString, line);
        QCOMPARE(serial::portEntryText(port), entry);
        QCOMPARE(app::portListText({port, port}), line + '\n' + line + '\n');
    }

    // Only links that lead to a character device count; nothing else in the folder disturbs.
    void theStableNameFolderYieldsOnlyLinksToDevices() {
        MeterFixture f;
        QTemporaryDir byId;
        const QString pty = QString::fromStdString(f.meter().devicePath());
        const QString link = byId.filePath("usb-Meter_A1B2-if00-port0");
        QVERIFY(QFile::link(pty, link));
        QVERIFY(QFile::link(byId.filePath("gone"), byId.filePath("usb-Dangling-if00-port0")));
        QVERIFY(QFile::link(byId.filePath("usb-Loop"), byId.filePath("usb-Loop")));
        QFile plain(byId.filePath("notes.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QFile::link(plain.fileName(), byId.filePath("usb-File-if00-port0")));
        QVERIFY(QDir(byId.path()).mkdir("folder"));
        QCOMPARE(stableNames(serial::SystemPortLister(byId.path()).ports()),
                 QStringList({link + " " + pty}));

        for (const QString& folder : {byId.filePath("missing"), plain.fileName(), QString()})
            QCOMPARE(stableNames(serial::SystemPortLister(folder).ports()), QStringList());
    }

    void listPortsNeedsNoDisplay() {
#ifndef METERPANEL_BINARY
        QSKIP("built without the program's path");
#else
        MeterFixture f;
        QTemporaryDir byId;
        const QString pty = QString::fromStdString(f.meter().devicePath());
        const QString link = byId.filePath("usb-Meter_A1B2-if00-port0");
        QVERIFY(QFile::link(pty, link));
        QVERIFY(QFile::link(byId.filePath("gone"), byId.filePath("usb-Dangling-if00-port0")));
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("WAYLAND_DISPLAY");
        environment.insert("QT_QPA_PLATFORM", "xcb");
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(METERPANEL_BINARY, {"--list-ports", "--by-id-folder", byId.path()});
        QVERIFY(program.waitForFinished(30000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QStringList lines =
            QString::fromLocal8Bit(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        // The computer's own ports may be listed too; the link is there once, the dangling not.
        QCOMPARE(lines.filter(byId.path()), QStringList({link + "\t" + pty + "\t-"}));
#endif
    }
};

QTEST_MAIN(TestListPorts)
#include "test_list_ports.moc"
