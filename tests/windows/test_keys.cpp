// The meter keys and the clock setting, as the simulated meter receives them.
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "link/rs232.h"
#include "link/transaction_queue.h"
#include "meter/display_poll.h"
#include "panel/keypad.h"
#include "recording/recorder.h"
#include "support/meter_fixture.h"
#include "ui/pc_clock.h"

using Frame = std::vector<uint8_t>;

namespace {

// Frames other than display polls.
std::vector<Frame> commandFrames(sim::MeterSim& meter) {
    std::vector<Frame> frames;
    for (const Frame& f : meter.receivedFrames())
        if (!(f.size() == 1 && f[0] == 0x20)) frames.push_back(f);
    return frames;
}

}  // namespace

class TestKeys : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { ui::setPcClock(nullptr); }

    void everyKeyButtonSendsItsCode_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("code");
        for (const panel::MeterKey& key : panel::kMeterKeys)
            QTest::newRow(key.name) << QString(key.name) << int(key.code);
    }

    void everyKeyButtonSendsItsCode() {
        QFETCH(QString, name);
        QFETCH(int, code);
        MeterFixture f;
        QVERIFY(f.startPanel());
        QPushButton* button = f.panel()->button(name);
        QVERIFY(button);
        QVERIFY(!button->toolTip().isEmpty());
        QVERIFY(!button->text().isEmpty() || !button->icon().isNull());
        f.meter().clearReceived();
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return !commandFrames(f.meter()).empty(); }, 2000));
        const std::vector<Frame> frames = commandFrames(f.meter());
        QCOMPARE(frames.size(), size_t(1));
        QCOMPARE(frames[0], (Frame{0x46, uint8_t(code)}));
        QVERIFY(f.panel()->timer1()->isActive());
    }

    void twoQuickClicksGiveTwoCompleteFramesEachAfterAFlush() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        // A poll answer may be waiting when a key is clicked: it is flushed, and the tick polls
        // again.
        f.meter().sendGarbage({1, 2, 3, 4, 5, 6, 7, 8, 9});
        f.meter().clearReceived();
        QPushButton* up = f.panel()->button("CmdUp");
        QTest::mouseClick(up, Qt::LeftButton);
        QTest::mouseClick(up, Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return commandFrames(f.meter()).size() >= 2; }, 2000));
        const std::vector<Frame> frames = commandFrames(f.meter());
        QCOMPARE(frames.size(), size_t(2));
        QCOMPARE(frames[0], (Frame{0x46, 0xED}));
        QCOMPARE(frames[1], (Frame{0x46, 0xED}));
        const int ticks = f.panel()->displayPoll()->ticks();
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() > ticks; }, 3000));
        QCOMPARE(f.text("LblComm"), QString("Com1"));
    }

    void keyClickedWhileThePollWaitsRunsAfterThePoll() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        f.meter().clearReceived();
        // Click while the poll holds the line: a key press run there would flush its answer away.
        bool clicked = false;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&] {
            if (clicked || !f.session()->queue().busy() || f.meter().receivedFrames().empty())
                return;
            clicked = true;
            QTest::mouseClick(f.panel()->button("CmdUp"), Qt::LeftButton);
        });
        watch.start(1);
        QVERIFY(f.waitFor([&] { return !commandFrames(f.meter()).empty(); }, 5000));
        const int ticks = f.panel()->displayPoll()->ticks();
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= ticks + 2; }, 5000));
        watch.stop();

        const std::vector<Frame> frames = f.meter().receivedFrames();
        const auto key = std::find(frames.begin(), frames.end(), Frame{0x46, 0xED});
        QVERIFY(key != frames.end());
        QVERIFY(key != frames.begin() && *(key - 1) == Frame{0x20});
        for (const Frame& frame : frames) QVERIFY(frame == Frame{0x20} || frame == *key);
        QCOMPARE(f.panel()->displayPoll()->failedAttempts(), 0);
    }

    void keysChangeWhatThePanelShows() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QTest::mouseClick(f.panel()->button("CmdmV"), Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return f.text("LblUpUnit") == "mV"; }, 3000));
        QTest::mouseClick(f.panel()->button("CmdF"), Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return f.text("Lblfc") == "'F"; }, 3000));
        QTest::mouseClick(f.panel()->button("CmdpH"), Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return f.text("LblUpUnit") == "pH"; }, 3000));
    }

    void timeSetSendsOneFrameForOneReadingOfTheClock_data() {
        QTest::addColumn<QDateTime>("moment");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("morning") << QDateTime(QDate(2026, 12, 8), QTime(5, 9, 7))
                                 << QByteArray::fromHex("44261208050907");
        QTest::newRow("last second of the year")
            << QDateTime(QDate(2026, 12, 31), QTime(23, 59, 59, 999))
            << QByteArray::fromHex("44261231235959");
    }

    void timeSetSendsOneFrameForOneReadingOfTheClock() {
        QFETCH(QDateTime, moment);
        QFETCH(QByteArray, frame);
        MeterFixture f;
        QVERIFY(f.startPanel());
        // The sampling tick reads the PC clock too, once a second.
        f.session()->recorder().timer2()->stop();
        int readings = 0;
        ui::setPcClock([&] {
            ++readings;
            return moment;
        });
        f.meter().clearReceived();
        QTest::mouseClick(f.panel()->button("MnuSystem"), Qt::LeftButton);
        QVERIFY(f.waitFor([&] { return !commandFrames(f.meter()).empty(); }, 2000));
        QCOMPARE(readings, 1);
        const Frame sent = commandFrames(f.meter()).front();
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(sent.data()), int(sent.size())), frame);
        QCOMPARE(f.text("LblComm"), QString("Com1"));
        QVERIFY(f.panel()->timer1()->isActive());
    }

    void timeSetMakesTheMetersClockShowThePcTime() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        ui::setPcClock([] { return QDateTime(QDate(2026, 12, 8), QTime(5, 9, 7)); });
        QTest::mouseClick(f.panel()->button("MnuSystem"), Qt::LeftButton);
        QTest::qWait(200);
        const auto clock =
            f.meter().withModel([&](sim::MeterModel& m) { return m.clock(f.meter().now()); });
        QCOMPARE(clock.year % 100, 26);
        QCOMPARE(clock.month, 12);
        QCOMPARE(clock.day, 8);
        QCOMPARE(clock.hour, 5);
        QCOMPARE(clock.minute, 9);
    }
};

QTEST_MAIN(TestKeys)
#include "test_keys.moc"
