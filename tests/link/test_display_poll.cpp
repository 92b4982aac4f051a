// The display poll and the lost-link state against the simulated meter over a real pty.
#include <unistd.h>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <ctime>

#include "link/rs232.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "support/meter_fixture.h"

namespace {

bool meterButtonsEnabled(panel::Panel* p) {
    for (const char* name : {"CmdPsingle", "CmdPmul", "CmdPtempG", "CmdPpHG"})
        if (!p->button(name)->isEnabled()) return false;
    return true;
}

double processCpuSeconds() {
    return double(std::clock()) / CLOCKS_PER_SEC;
}

}  // namespace

class TestDisplayPoll : public QObject {
    Q_OBJECT

  private slots:
    void wrongLengthAnswersAreFailedAttemptsAndTenEnterLostLink() {
        for (int length : {8, 10}) {
            MeterFixture f;
            f.meter().withModel([](sim::MeterModel& m) {
                m.setFixedPh(7.25);
                return 0;
            });
            QVERIFY(f.startPanel());
            QVERIFY(f.waitFor([&] { return f.text("LblUpValue") == "7.250"; }, 3000));
            bool lostShown = false;
            f.whenLinkLost([&] {
                lostShown = f.text("LblComm") == "No Com" && !meterButtonsEnabled(f.panel()) &&
                            !f.visible("Lbl232") && f.text("LblUpValue").isEmpty();
                // One good frame ends it.
                f.meter().sendWrongLengthFrames(0, 9);
            });
            f.meter().sendWrongLengthFrames(-1, length);
            QVERIFY(f.waitFor([&] { return lostShown && f.text("LblComm") == "Com1"; }, 8000));
            QVERIFY(meterButtonsEnabled(f.panel()));
            QVERIFY(f.waitFor([&] { return f.text("LblUpValue") == "7.250"; }, 3000));
        }
    }

    void fewerThanTenFailedPollsKeepTheLink() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        f.meter().sendWrongLengthFrames(8, 10);
        bool lost = false;
        connect(&f.session()->readout(), &meter::Readout::linkLost, [&] { lost = true; });
        const int ticks = f.panel()->displayPoll()->ticks();
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= ticks + 2; }, 6000));
        QVERIFY(!lost);
    }

    void slowAndChunkedAnswersAreStillRead() {
        MeterFixture f(false);  // paced at 9600 baud
        f.meter().setRandomChunks(true);
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedMv(-123.4);
            return 0;
        });
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.text("LblUpValue") == "-123.4"; }, 4000));
        QCOMPARE(f.text("LblUpUnit"), QString("mV"));
    }

    void garbageBetweenPollsIsFlushed() {
        MeterFixture f;
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedPh(4.01);
            return 0;
        });
        QVERIFY(f.startPanel());
        for (int i = 0; i < 5; ++i) {
            f.meter().sendGarbage({0xAA, 0xBB, 0xCC});
            QTest::qWait(150);
        }
        QVERIFY(f.waitFor([&] { return f.text("LblUpValue") == "4.010"; }, 3000));
        QCOMPARE(f.text("LblComm"), QString("Com1"));
    }

    // Answers 0.75 s late: each poll is answered by its fourth attempt's window, after the next
    // Timer1 tick began. The frame counts for the tick that asked for it, so that a sample in
    // the tick after that one sees it as older than the previous tick.
    void aLateFrameCountsForTheTickThatAskedForIt() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        f.meter().setReplyDelay(0.75);
        QList<int> ticksSinceAsked;  // at each frame rendered with the delay on
        const meter::ReadoutState& readout = f.session()->readout().state();
        int lastRendered = readout.RenderedTick;
        connect(&f.session()->readout(), &meter::Readout::rendered, [&] {
            if (readout.LinkLost || readout.RenderedTick == lastRendered) return;
            lastRendered = readout.RenderedTick;
            ticksSinceAsked.append(readout.PollTick - readout.RenderedTick);
        });
        QVERIFY(f.waitFor([&] { return ticksSinceAsked.size() >= 4; }, 10000));
        ticksSinceAsked.removeFirst();  // the poll under way when the delay began
        // A poll that starts just after the previous one ended may take a late answer of the
        // previous one as its own within its own tick (the frames carry no marker): 0 then.
        for (int late : ticksSinceAsked)
            QVERIFY2(late == 0 || late == 1, qPrintable(QString::number(late)));
        QVERIFY(ticksSinceAsked.contains(1));
    }

    void hangUpGivesLostLinkWithoutCpuFloodAndTheLinkComesBack() {
        const QString linkPath =
            QDir::temp().filePath(QStringLiteral("meterpanel-test-%1").arg(getpid()));
        MeterFixture f(true, linkPath.toStdString());
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 3000));
        double cpu = -1;
        bool lostShown = false;
        f.whenLinkLost([&] {
            lostShown = f.text("LblComm") == "No Com";
            // The lost state sleeps between probes: a flood of read errors would burn the core.
            const double cpuBefore = processCpuSeconds();
            MeterFixture::after(2000, [&, cpuBefore] {
                cpu = processCpuSeconds() - cpuBefore;
                f.meter().comeBack();
            });
        });
        f.meter().hangUp();
        QVERIFY(f.waitFor([&] { return cpu >= 0 && f.text("LblComm") == "Com1"; }, 12000));
        QVERIFY(lostShown);
        QVERIFY2(cpu < 0.3, qPrintable(QString("cpu %1 s in 2 s").arg(cpu)));
        QVERIFY(f.visible("Lbl232"));
    }
};

QTEST_MAIN(TestDisplayPoll)
#include "test_display_poll.moc"
