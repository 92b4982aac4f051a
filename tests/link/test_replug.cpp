// A USB adapter pulled out and put back under another device name: the serial line finds it
// again by its stable name, else by its USB serial number, and never opens whatever took its old
// name. Simulated meters on pseudo-terminals stand in for the adapters.
#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <vector>

#include "app/panel_start.h"
#include "link/port_lister.h"
#include "link/port_names.h"
#include "link/qt_serial_line.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "support/fake_dialogs.h"
#include "support/fake_port_lister.h"
#include "support/meter_fixture.h"

namespace {

std::unique_ptr<sim::MeterSim> startMeter() {
    sim::MeterSim::Options options;
    options.fast = true;
    auto meter = std::make_unique<sim::MeterSim>(options);
    if (!meter->start()) qFatal("simulated meter did not start");
    return meter;
}

QString deviceOf(const sim::MeterSim& meter) {
    return QString::fromStdString(meter.devicePath());
}

// Points `link` at `target` in one step, as udev does.
bool pointLink(const QString& link, const QString& target) {
    const QString fresh = link + ".new";
    QFile::remove(fresh);
    return QFile::link(target, fresh) && ::rename(qPrintable(fresh), qPrintable(link)) == 0;
}

// Opens the line and shows that a poll reaches `meter`.
bool reaches(serial::QtSerialLine& line, sim::MeterSim& meter) {
    meter.clearReceived();
    // The port writes from the event loop.
    return line.write(" ") &&
           QTest::qWaitFor([&] { return !meter.receivedBytes().empty(); }, 5000) &&
           meter.receivedBytes() == std::vector<uint8_t>{' '};
}

serial::PortInfo adapter(const QString& device, const QString& serialNumber) {
    serial::PortInfo port;
    port.device = device;
    port.serialNumber = serialNumber;
    port.vendorId = 0x0403;
    port.productId = 0x6001;
    return port;
}

// A pseudo-terminal held open so that the next one gets another number.
struct HeldPty {
    int fd = ::posix_openpt(O_RDWR | O_NOCTTY);
    ~HeldPty() {
        if (fd >= 0) ::close(fd);
    }
};

}  // namespace

class TestReplug : public QObject {
    Q_OBJECT

  private slots:

    void theStableLinkLeadsToTheAdapterUnderItsNewDevice() {
        QTemporaryDir byId;
        const QString link = byId.filePath("usb-Meter_Adapter_A1B2-if00-port0");
        auto first = startMeter();
        auto second = startMeter();
        QVERIFY(pointLink(link, deviceOf(*first)));

        serial::QtSerialLine line(nullptr, std::make_shared<serial::SystemPortLister>(byId.path()));
        const QString chosen = deviceOf(*first);
        line.setPortDevice(chosen);  // chosen by its device, not by the link
        QVERIFY(line.open());
        QVERIFY(reaches(line, *first));

        // Pulled out; back under another device, and the link follows it.
        first->hangUp();
        line.close();
        QVERIFY(pointLink(link, deviceOf(*second)));
        QVERIFY2(line.open(), qPrintable(line.errorText()));
        QCOMPARE(line.openDevice(), link);
        QCOMPARE(line.portCaption(), serial::shortDeviceName(deviceOf(*second)));
        QVERIFY(reaches(line, *second));

        // Gone again, and something else (often) has the device first chosen: it is not opened.
        second->hangUp();
        line.close();
        QFile::remove(link);
        QVERIFY(first->comeBack());
        QVERIFY(!line.open());
        QCOMPARE(line.errorText(), QString("There is no such device."));
        QCOMPARE(line.deviceName(), chosen);
    }

    void theUsbSerialNumberFindsAnAdapterWithoutLink() {
        auto first = startMeter();
        auto second = startMeter();
        auto lister = std::make_shared<FakePortLister>();
        lister->list = {adapter(deviceOf(*first), "FT12345")};
        lister->setComDevice(2, deviceOf(*first));  // as with --com2 DEVICE
        serial::QtSerialLine line(nullptr, lister);
        line.setPortNumber(2);
        QVERIFY(line.open());

        // Back under another device; another adapter took the old name.
        line.close();
        lister->list = {adapter(deviceOf(*first), "OTHER"), adapter(deviceOf(*second), "FT12345")};
        QVERIFY2(line.open(), qPrintable(line.errorText()));
        QCOMPARE(line.openDevice(), deviceOf(*second));
        QCOMPARE(line.portCaption(), QString("Com2"));
        QVERIFY(reaches(line, *second));

        line.close();
        lister->list = {adapter(deviceOf(*first), "OTHER")};
        QVERIFY(!line.open());
        QCOMPARE(line.errorText(), QString("There is no such device."));
    }

    // The whole way: the panel's lost-link probe opens the adapter again under its new pty.
    void thePanelComesBackOnTheNewDevice() {
        QTemporaryDir byId;
        const QString link = byId.filePath("usb-Meter_Adapter_A1B2-if00-port0");
        MeterFixture f(true, link.toStdString());
        FakeDialogs dialogs;
        const QString before = deviceOf(f.meter());
        const std::unique_ptr<app::Session> session =
            app::StartPanel(0, before, std::make_shared<serial::SystemPortLister>(byId.path()));
        QVERIFY(session);
        panel::Panel* panel = session->panel();
        QVERIFY(QTest::qWaitFor([&] { return panel->displayPoll()->ticks() >= 1; }, 3000));
        QVERIFY(QTest::qWaitFor([&] { return session->readout().isLinkLost() == false; }, 3000));

        f.meter().hangUp();
        QVERIFY(QTest::qWaitFor([&] { return session->readout().isLinkLost(); }, 8000));
        // Other tests make ptys too: take new ones until the number just freed is ours.
        std::vector<std::unique_ptr<HeldPty>> held;
        while (held.size() < 64) {
            held.push_back(std::make_unique<HeldPty>());
            const int fd = held.back()->fd;
            if (fd < 0 || QString::fromLocal8Bit(::ptsname(fd)) == before) break;
        }
        QVERIFY(f.meter().comeBack());
        const QString after = deviceOf(f.meter());
        QVERIFY(after != before);
        QVERIFY(QTest::qWaitFor([&] { return !session->readout().isLinkLost(); }, 8000));
        QCOMPARE(panel->controls().LblComm->text(), serial::shortDeviceName(after));
        QCOMPARE(dialogs.messages.size(), 0);
        panel->close();
    }
};

QTEST_MAIN(TestReplug)
#include "test_replug.moc"
