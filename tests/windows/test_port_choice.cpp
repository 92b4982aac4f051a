// The Port window's list of ports, and the way back to it: after a port that did not open, and
// from the panel's "Port…".
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "alarm/alarm.h"
#include "app/program.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "files/real_time_list.h"
#include "link/port_names.h"
#include "link/port_window.h"
#include "link/serial_line.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "recording/recorder.h"
#include "support/fake_dialogs.h"
#include "support/fake_port_lister.h"
#include "support/meter_fixture.h"

namespace {

serial::PortInfo usbPort(const QString& device, const QString& stableName,
                         const QString& serialNumber = "A1B2") {
    serial::PortInfo port;
    port.device = device;
    port.stableName = stableName;
    port.description = "USB-Serial Controller";
    port.manufacturer = "Prolific";
    port.serialNumber = serialNumber;
    port.vendorId = 0x067b;
    port.productId = 0x2303;
    return port;
}

QComboBox* portsOf(QWidget* window) {
    return window->findChild<QComboBox*>("Ports");
}
QString hintOf(QWidget* window) {
    return window->findChild<QLabel*>("LblDevice")->text();
}
void click(QWidget* window, const char* button) {
    QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton);
}
QStringList entries(QComboBox* ports) {
    QStringList texts;
    for (int i = 0; i < ports->count(); ++i) texts << ports->itemText(i);
    return texts;
}

}  // namespace

class TestPortChoice : public QObject {
    Q_OBJECT

  private slots:

    void comEntriesComeFirstWithWhatTheirDevicesGive_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("hint");
        QTest::newRow("missing") << "missing"
                                 << "%1 (no such device)";
        QTest::newRow("regular file") << "file"
                                      << "%1 (not a serial port)";
        QTest::newRow("folder") << "folder"
                                << "%1 (not a serial port)";
        QTest::newRow("pseudo-terminal") << "pty"
                                         << "opens %1";
    }
    void comEntriesComeFirstWithWhatTheirDevicesGive() {
        QFETCH(QString, kind);
        QFETCH(QString, hint);
        MeterFixture f;
        QTemporaryDir dir;
        QString device = dir.filePath("ttyUSB7");
        if (kind == "file") {
            QFile file(device);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else if (kind == "folder") {
            device = dir.path();
        } else if (kind == "pty") {
            device = QString::fromStdString(f.meter().devicePath());
        }
        auto ports = std::make_shared<FakePortLister>();
        ports->setComDevice(5, device);
        auto* port = new serial::Port(nullptr, ports);
        portsOf(port)->setCurrentIndex(4);
        QCOMPARE(portsOf(port)->currentText(), QString("COM5"));
        QCOMPARE(hintOf(port), hint.arg(device));
        delete port;
    }

    void listedPortsFollowTheComEntriesAndAreTakenByTheirStableName() {
        auto lister = std::make_shared<FakePortLister>();
        serial::PortInfo bare;
        bare.device = "/dev/ttyACM0";
        lister->list = {
            usbPort("/dev/ttyUSB0", "/dev/serial/by-id/usb-Prolific-if00-port0"), bare,
            usbPort(serial::defaultDeviceForPort(1), {})};  // COM1's own device: not again
        serial::Port port(nullptr, lister);
        port.refreshPorts();
        QCOMPARE(entries(portsOf(&port)).mid(8),
                 QStringList({"USB-Serial Controller (Prolific) — "
                              "/dev/serial/by-id/usb-Prolific-if00-port0 → ttyUSB0",
                              "/dev/ttyACM0"}));
        QCOMPARE(entries(portsOf(&port)).first(), QString("COM1"));
        QSignalSpy devices(&port, &serial::Port::deviceChosen);
        QSignalSpy numbers(&port, &serial::Port::portChosen);
        portsOf(&port)->setCurrentIndex(8);
        click(&port, "CmdOK");
        portsOf(&port)->setCurrentIndex(9);
        click(&port, "CmdOK");
        QCOMPARE(numbers.size(), 0);
        QCOMPARE(devices.size(), 2);
        QCOMPARE(devices[0][0].toString(), QString("/dev/serial/by-id/usb-Prolific-if00-port0"));
        QCOMPARE(devices[1][0].toString(), QString("/dev/ttyACM0"));
    }

    void theListFollowsPlugsAndKeepsTheUsersChoice() {
        auto lister = std::make_shared<FakePortLister>();
        const serial::PortInfo a = usbPort("/dev/ttyUSB0", "/dev/serial/by-id/usb-A-if00-port0");
        const serial::PortInfo b = usbPort("/dev/ttyUSB1", "/dev/serial/by-id/usb-B-if00-port0");
        const serial::PortInfo c = usbPort("/dev/ttyUSB2", "/dev/serial/by-id/usb-C-if00-port0");
        lister->list = {a, b};
        serial::Port port(nullptr, lister);
        port.refreshPorts();
        QComboBox* ports = portsOf(&port);
        ports->setCurrentIndex(9);
        const QString chosen = ports->currentText();

        // A is pulled out and C plugged in: B stays chosen, now at another place.
        lister->list = {b, c};
        port.refreshPorts();
        QCOMPARE(ports->count(), 10);
        QCOMPARE(ports->currentText(), chosen);
        QCOMPARE(ports->currentIndex(), 8);

        // B goes too: its stable name stays in the box, so OK says what became of it; and it is
        // chosen again when it comes back.
        lister->list = {c};
        port.refreshPorts();
        QCOMPARE(ports->currentText(), b.stableName);
        QCOMPARE(hintOf(&port), b.stableName + " (no such device)");
        lister->list = {b, c};
        port.refreshPorts();
        QCOMPARE(ports->currentText(), chosen);
        lister->list = {c};
        port.refreshPorts();

        // A typed path and a COM entry survive a change of the list.
        ports->setEditText("/dev/ttyACM3");
        lister->list = {a, c};
        port.refreshPorts();
        QCOMPARE(ports->currentText(), QString("/dev/ttyACM3"));
        ports->setCurrentIndex(2);
        lister->list = {};
        port.refreshPorts();
        QCOMPARE(ports->currentText(), QString("COM3"));
        QCOMPARE(ports->count(), 8);

        // While the window is open it looks again by itself.
        lister->list = {c};
        QVERIFY(QTest::qWaitFor([&] { return ports->count() == 9; }, 5000));
        QCOMPARE(ports->currentText(), QString("COM3"));
    }

    void aPortThatDoesNotOpenBringsThePortWindowBack() {
        MeterFixture f;
        FakeDialogs dialogs;
        QTemporaryDir dir;
        // Listed, then gone before OK.
        auto lister = std::make_shared<FakePortLister>();
        lister->list = {usbPort(dir.filePath("ttyUSB0"), dir.filePath("usb-Gone-if00-port0"))};
        app::Program program(lister);
        program.start();
        QPointer<serial::Port> first = program.portWindow();
        // The ports are listed once the window is on screen.
        QVERIFY(QTest::qWaitFor([&] { return portsOf(first)->count() == 9; }, 3000));
        portsOf(first)->setCurrentIndex(8);
        const QString entry = portsOf(first)->currentText();
        click(first, "CmdOK");
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text,
                 "No device found, try again!\n\nDevice: " + dir.filePath("usb-Gone-if00-port0") +
                     "\nThere is no such device.");
        QVERIFY(!program.panel());
        QVERIFY(QTest::qWaitFor(
            [&] { return program.portWindow() && program.portWindow()->isVisible(); }, 3000));
        QVERIFY(program.portWindow() != first);
        QVERIFY(QTest::qWaitFor(
            [&] { return portsOf(program.portWindow())->currentText() == entry; }, 3000));

        // A typed path that is no serial port gets the same message, and the window again.
        portsOf(program.portWindow())->setEditText("/dev/null");
        click(program.portWindow(), "CmdOK");
        QCOMPARE(dialogs.messages.size(), 2);
        QCOMPARE(dialogs.messages[1].text,
                 QString("No device found, try again!\n\nDevice: /dev/null\n"
                         "This is not a serial port."));
        QVERIFY(QTest::qWaitFor(
            [&] { return program.portWindow() && program.portWindow()->isVisible(); }, 3000));

        // Cancel ends the program: no panel and no Port window are left.
        QSignalSpy cancelled(program.portWindow(), &QDialog::rejected);
        click(program.portWindow(), "CmdCancel");
        QCOMPARE(cancelled.size(), 1);
        QVERIFY(QTest::qWaitFor([&] { return !program.portWindow(); }, 3000));
        QVERIFY(!program.panel());
    }

    void portButtonStopsTheRecordingAndStartsAgainFromTheStartValues() {
        MeterFixture f;
        FakeDialogs dialogs;
        QTemporaryDir dir;
        auto lister = std::make_shared<FakePortLister>();
        lister->setComPorts(f.ports()->comPorts());
        app::Program program(lister);
        program.start();
        click(program.portWindow(), "SSCommand1");
        QPointer<panel::Panel> first = program.panel();
        QVERIFY(first);
        QVERIFY(QTest::qWaitFor([&] { return first->displayPoll()->ticks() >= 1; }, 3000));
        QPointer<serial::SerialLine> line = first->comm1();
        dialogs.saveName = dir.filePath("run.dat");
        first->button("CmdPsavestop")->click();
        QPointer<recording::Recorder> recorder = &program.session()->recorder();
        QVERIFY(recorder->IsRecording);
        files::OpenLiveList(program.session()->files());
        QPointer<QWidget> list = program.session()->files().findRealTimeList();
        program.session()->alarm().AlarmLimits.PhHigh = 9;
        program.session()->alarm().AlarmLimits.PhAlarmOn = true;

        click(first, "CmdPort");
        QVERIFY(!recorder || !recorder->IsRecording);
        QVERIFY(!list || !list->isVisible());
        QVERIFY(!line || !line->isOpen());
        QVERIFY(QTest::qWaitFor(
            [&] { return !first && program.portWindow() && program.portWindow()->isVisible(); },
            3000));
        QCOMPARE(portsOf(program.portWindow())->currentText(), QString("COM1"));

        click(program.portWindow(), "CmdOK");
        QVERIFY(program.panel());
        QCOMPARE(program.session()->alarm().AlarmLimits, core::AlarmLimits{});
        QCOMPARE(program.panel()->button("CmdPsavestop")->text(), QString("Save As"));
        QCOMPARE(program.panel()->label("LblComm")->text(), QString("Com1"));
        QVERIFY(
            QTest::qWaitFor([&] { return program.panel()->displayPoll()->ticks() >= 1; }, 3000));
        QVERIFY(!program.session()->readout().isLinkLost());
        QCOMPARE(dialogs.messages.size(), 0);
    }

    void aListedPortOpensByNameAndThePanelShowsItsShortName() {
        MeterFixture f;
        FakeDialogs dialogs;
        // Not COM1's device (the lister leaves COM1 at its default): listed.
        auto lister = std::make_shared<FakePortLister>();
        const QString pty = QString::fromStdString(f.meter().devicePath());
        serial::PortInfo simulated;
        simulated.device = pty;
        simulated.description = "Simulated meter";
        lister->list = {simulated};
        app::Program program(lister);
        program.start();
        QVERIFY(QTest::qWaitFor([&] { return portsOf(program.portWindow())->count() == 9; }, 3000));
        portsOf(program.portWindow())->setCurrentIndex(8);
        click(program.portWindow(), "CmdOK");
        QVERIFY(program.panel());
        QCOMPARE(program.panel()->comm1()->portNumber(), 0);
        QCOMPARE(program.panel()->label("LblComm")->text(), pty.mid(QString("/dev/").size()));
        QVERIFY(
            QTest::qWaitFor([&] { return program.panel()->displayPoll()->ticks() >= 1; }, 3000));
        QVERIFY(!program.session()->readout().isLinkLost());
        QCOMPARE(dialogs.messages.size(), 0);
    }
};

QTEST_MAIN(TestPortChoice)
#include "test_port_choice.moc"
