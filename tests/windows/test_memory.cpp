// The Memory window and the memory downloads against the simulated meter.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include "files/data_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "memory/memory.h"
#include "memory/memory_window.h"
#include "meter/display_poll.h"
#include "sim/demo_memory.h"
#include "support/fake_dialogs.h"
#include "support/meter_fixture.h"

using Frame = std::vector<uint8_t>;
using memory::MemoryWindow;

namespace {

constexpr int kAnswerMs = 3000;
constexpr int kStallMs = 9000;  // a 5 s silence and the message after it

// The session's open Memory window, or null.
MemoryWindow* memoryWindow(MeterFixture& f) {
    return f.session() ? f.session()->memory().find() : nullptr;
}

template <class W>
W* child(MeterFixture& f, const char* name) {
    MemoryWindow* window = memoryWindow(f);
    return window ? window->findChild<W*>(name) : nullptr;
}

void click(MeterFixture& f, const char* panelButton) {
    QTest::mouseClick(f.panel()->button(panelButton), Qt::LeftButton);
}

void clickInWindow(MeterFixture& f, const char* button) {
    QTest::mouseClick(child<QPushButton>(f, button), Qt::LeftButton);
}

int listRows(MeterFixture& f) {
    files::DataList* list = f.session()->files().findDataList();
    return list ? list->grid()->rows() - 1 : -1;
}

QString listTitle(MeterFixture& f) {
    files::DataList* list = f.session()->files().findDataList();
    return list ? list->lblTitle()->text() : QString();
}

bool plotMenuEnabled(MeterFixture& f) {
    return f.session()
        ->files()
        .findDataList()
        ->findChild<QMenu*>("CmdDplot")
        ->menuAction()
        ->isEnabled();
}

// The panel's memory buttons usable again and the display poll back.
bool panelRestored(MeterFixture& f) {
    const auto enabled = [&] {
        for (const char* name : {"CmdPsingle", "CmdPmul", "MnuSystem"})
            if (!f.panel()->button(name)->isEnabled()) return false;
        return true;
    };
    if (!f.waitFor(enabled, kAnswerMs)) return false;
    const int ticks = f.panel()->displayPoll()->ticks();
    return f.waitFor([&] { return f.panel()->displayPoll()->ticks() > ticks; }, kAnswerMs);
}

// "Single Rec" and the window open, its interval request answered (the meter's 10 s).
bool openSingleMode(MeterFixture& f) {
    click(f, "CmdPsingle");
    return f.waitFor(
        [&] {
            auto* interval = child<QLineEdit>(f, "TxtSampling");
            return interval && interval->text() == "10 sec";
        },
        kAnswerMs);
}

void fillDemo(MeterFixture& f) {
    f.meter().withModel([&](sim::MeterModel& m) {
        sim::fillDemoMemory(m, m.clock(f.meter().now()));
        return 0;
    });
}

sim::LoggedSet phSet(sim::DateTime start, int records) {
    return {start, 10, std::vector<sim::Sample>(std::size_t(records), sim::Sample{})};
}

// Multi Rec until the set list is in.
bool openSetList(MeterFixture& f, int sets) {
    click(f, "CmdPmul");
    return f.waitFor(
        [&] {
            return child<QComboBox>(f, "Combo1") &&
                   child<QComboBox>(f, "Combo1")->count() == sets &&
                   child<QPushButton>(f, "CmdTimeofMeter")->isEnabled();
        },
        kAnswerMs);
}

std::vector<Frame> framesStartingWith(MeterFixture& f, uint8_t lead) {
    std::vector<Frame> frames = f.meter().receivedFrames();
    std::erase_if(frames, [lead](const Frame& frame) { return frame[0] != lead; });
    return frames;
}

}  // namespace

class TestMemory : public QObject {
    Q_OBJECT

  private slots:
    void emptySetMemoryShowsTheStopMessageAndClosesTheWindow() {
        MeterFixture f;
        FakeDialogs dialogs;
        QVERIFY(f.startPanel());
        click(f, "CmdPmul");
        QVERIFY(f.waitFor([&] { return !dialogs.messages.isEmpty(); }, kAnswerMs));
        QCOMPARE(dialogs.messages[0].text, QString("No MultiRecords in Memory !"));
        QCOMPARE(dialogs.messages[0].icon, ui::Dialogs::Icon::Critical);
        QVERIFY(!memoryWindow(f));
        QVERIFY(panelRestored(f));
    }

    void everySetIsListedAndAChosenSetListsAllItsRecords() {
        MeterFixture f;
        FakeDialogs dialogs;
        // Two records in the first set, then a hundred sets of one: more than 99 sets.
        f.meter().withModel([](sim::MeterModel& m) {
            m.addLoggedSet(phSet({2010, 5, 31, 9, 7, 0}, 2));
            for (int k = 0; k < 100; ++k) m.addLoggedSet(phSet({2011, 1, 1, 0, k % 60, 0}, 1));
            return 0;
        });
        QVERIFY(f.startPanel());
        QVERIFY(openSetList(f, 101));
        auto* sets = child<QComboBox>(f, "Combo1");
        const QString gap(20, ' ');
        QCOMPARE(sets->itemText(0),
                 "1" + QString(10, ' ') + "10/05/31-----09:07:00" + gap + "2 Records");
        QCOMPARE(sets->itemText(100),
                 "101" + QString(6, ' ') + "11/01/01-----00:39:00" + gap + "1 Records");
        // 23 + 100 * 17 bytes in use: (65296 - 1792 - 1723) / 1024.
        QCOMPARE(child<QLabel>(f, "LblRemaining")->text(), QString("60.3K"));
        QVERIFY(child<QPushButton>(f, "CmdSampling")->isEnabled());
        QVERIFY(!f.panel()->button("CmdPmul")->isEnabled());

        sets->setCurrentIndex(0);
        emit sets->activated(0);
        QCOMPARE(listRows(f), 2);
        QCOMPARE(f.session()->files().findDataList()->grid()->cellText(2, 2), QString("09:07:10"));
        QCOMPARE(listTitle(f), QString("2 Records Completed"));
        QVERIFY(plotMenuEnabled(f));
        QVERIFY(panelRestored(f));
        sets->setCurrentIndex(100);
        emit sets->activated(100);
        QCOMPARE(listRows(f), 1);
        QCOMPARE(f.session()->files().findDataList()->grid()->cellText(1, 2), QString("00:39:00"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void noSingleRecordsGivesOnlyTheMessage() {
        MeterFixture f;
        FakeDialogs dialogs;
        QVERIFY(f.startPanel());
        click(f, "CmdPsingle");
        QVERIFY(f.waitFor([&] { return child<QPushButton>(f, "CmdSingleRec"); }, kAnswerMs));
        QCOMPARE(child<QLabel>(f, "LblRemaining")->text(), QString("32.0K"));
        QCOMPARE(child<QLabel>(f, "LblMemorySize")->text(), QString("62 K"));
        clickInWindow(f, "CmdSingleRec");
        QVERIFY(f.waitFor([&] { return !dialogs.messages.isEmpty(); }, kAnswerMs));
        QCOMPARE(dialogs.messages[0].text, QString("No Single Records in Memory !"));
        QVERIFY(!f.session()->files().findDataList());
        QVERIFY(panelRestored(f));
    }

    void singleDumpInChunksListsEveryRecordAndIgnoresASurplus() {
        MeterFixture f;
        FakeDialogs dialogs;
        fillDemo(f);
        f.meter().setRandomChunks(true);
        f.meter().setDumpSurplus(40);
        QVERIFY(f.startPanel());
        click(f, "CmdPsingle");
        QVERIFY(f.waitFor([&] { return child<QPushButton>(f, "CmdSingleRec"); }, kAnswerMs));
        // 2719 bytes of set memory in use: 32 - 2719 / 1024.
        QCOMPARE(child<QLabel>(f, "LblRemaining")->text(), QString("29.3K"));
        clickInWindow(f, "CmdSingleRec");
        QVERIFY(f.waitFor([&] { return listTitle(f) == "12 Records Completed"; }, kAnswerMs));
        QCOMPARE(listRows(f), 12);
        QVERIFY(!plotMenuEnabled(f));
        QVERIFY(panelRestored(f));
        QVERIFY(dialogs.messages.isEmpty());
        // The surplus never reaches the next request: the clock reads right.
        clickInWindow(f, "CmdTimeofMeter");
        const QRegularExpression clock("^\\d\\d/\\d\\d/\\d\\d-----\\d\\d:\\d\\d:\\d\\d$");
        QVERIFY(
            f.waitFor([&] { return clock.match(child<QLabel>(f, "LblTime")->text()).hasMatch(); },
                      kAnswerMs));
    }

    void setDumpWithASurplusListsOnlyTheAnnouncedSets() {
        MeterFixture f;
        FakeDialogs dialogs;
        fillDemo(f);
        f.meter().setDumpSurplus(40);
        QVERIFY(f.startPanel());
        QVERIFY(openSetList(f, 5));
        QVERIFY(f.waitFor([&] { return child<QLineEdit>(f, "TxtSampling")->text() == "10 sec"; },
                          kAnswerMs));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void singleDumpCutShortKeepsTheCompleteRecords() {
        MeterFixture f;
        FakeDialogs dialogs;
        fillDemo(f);
        QVERIFY(f.startPanel());
        click(f, "CmdPsingle");
        QVERIFY(f.waitFor([&] { return child<QPushButton>(f, "CmdSingleRec"); }, kAnswerMs));
        f.meter().cutNextDump(3 * 16 + 5);
        clickInWindow(f, "CmdSingleRec");
        // Closing the Memory window while the dump stalls leaves the download to end by itself.
        MeterFixture::after(1000, [&] { f.session()->memory().closeWindow(); });
        QVERIFY(f.waitFor([&] { return !dialogs.messages.isEmpty(); }, kStallMs));
        QVERIFY2(dialogs.messages[0].text.contains("after 3 of 12 single records"),
                 qPrintable(dialogs.messages[0].text));
        QCOMPARE(listRows(f), 3);
        QCOMPARE(listTitle(f), QString("3 Records Completed"));
        QVERIFY(panelRestored(f));
    }

    void setDumpCutShortSaysSoAndClosesTheWindow() {
        MeterFixture f;
        FakeDialogs dialogs;
        fillDemo(f);
        f.meter().cutNextDump(1000);
        QVERIFY(f.startPanel());
        click(f, "CmdPmul");
        QVERIFY(f.waitFor([&] { return !dialogs.messages.isEmpty(); }, kStallMs));
        QVERIFY2(dialogs.messages[0].text.contains("cut short: 1000 of 2719 bytes"),
                 qPrintable(dialogs.messages[0].text));
        QVERIFY(f.waitFor([&] { return !memoryWindow(f); }, kAnswerMs));
        QVERIFY(panelRestored(f));
    }

    void silentMeterDuringTimeOfMeterIsReportedAndThePollComesBack() {
        MeterFixture f;
        FakeDialogs dialogs;
        QVERIFY(f.startPanel());
        QVERIFY(openSingleMode(f));
        f.meter().setSilent(true);
        dialogs.onMessage = [&] { f.meter().setSilent(false); };
        clickInWindow(f, "CmdTimeofMeter");
        QVERIFY(f.waitFor([&] { return !dialogs.messages.isEmpty(); }, kStallMs));
        QVERIFY(dialogs.messages[0].text.startsWith("The meter did not send its clock"));
        QVERIFY(child<QLabel>(f, "LblTime")->text().isEmpty());
        const int ticks = f.panel()->displayPoll()->ticks();
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() > ticks; }, kAnswerMs));
    }

    void samplingSendsTheRoundedIntervalOrShowsTheRange() {
        MeterFixture f;
        FakeDialogs dialogs;
        f.meter().withModel([](sim::MeterModel& m) {
            return m.addLoggedSet(phSet({2010, 5, 31, 9, 7, 0}, 1));
        });
        QVERIFY(f.startPanel());
        QVERIFY(openSetList(f, 1));
        // Out of range first; the valid value last, so that its frame ends the test.
        for (const char* typed : {"1", "256", "abc", "2.5"}) {
            child<QLineEdit>(f, "TxtSampling")->setText(typed);
            clickInWindow(f, "CmdSampling");
        }
        QVERIFY(f.waitFor([&] { return !framesStartingWith(f, 0x47).empty(); }, kAnswerMs));
        QCOMPARE(framesStartingWith(f, 0x47), (std::vector<Frame>{{0x47, 2}}));
        QCOMPARE(dialogs.messages.size(), 3);
        for (const FakeDialogs::Message& m : dialogs.messages)
            QCOMPARE(m.text, QString("2 sec <= Sampling Time<= 255 sec"));
    }

    void resizeDuringTheDumpAsksForTheIntervalOnlyAfterIt() {
        MeterFixture f(/*fast=*/false);  // paced at 9600 baud: the dump takes about 3 s
        FakeDialogs dialogs;
        fillDemo(f);
        QVERIFY(f.startPanel());
        click(f, "CmdPmul");
        MeterFixture::after(1000, [&] {
            if (MemoryWindow* window = memoryWindow(f))
                window->resize(window->width() + 40, window->height() + 20);
        });
        QVERIFY(f.waitFor(
            [&] {
                return !framesStartingWith(f, 0x52).empty() &&
                       framesStartingWith(f, 0x52).back() == Frame{0x52, 0x52};
            },
            8000));
        const std::vector<Frame> frames = f.meter().receivedFrames();
        const auto dump = std::find(frames.begin(), frames.end(), Frame{0x4C});
        const auto interval = std::find(frames.begin(), frames.end(), Frame{0x52, 0x52});
        QVERIFY(dump < interval);
        // The dump ended with " " before the interval request, and no request piled up.
        QCOMPARE(*(interval - 1), Frame{0x20});
        QCOMPARE(std::count(frames.begin(), frames.end(), Frame{0x52, 0x52}), std::ptrdiff_t(1));
        QCOMPARE(child<QComboBox>(f, "Combo1")->count(), 5);
    }

    // "Single Rec", "Multi Rec" and "Time Set" as the window opens narrow, closes, lists the sets
    // wide and lists one of them: choosing a set gives all three back with the window still open.
    void panelButtonsFollowTheWindowAndTheSetDownload() {
        MeterFixture f;
        FakeDialogs dialogs;
        f.meter().withModel([](sim::MeterModel& m) {
            return m.addLoggedSet(phSet({2010, 5, 31, 9, 7, 0}, 1));
        });
        QVERIFY(f.startPanel());
        const auto enabled = [&] {
            QString on;
            for (const char* name : {"CmdPsingle", "CmdPmul", "MnuSystem"})
                on += f.panel()->button(name)->isEnabled() ? '1' : '0';
            return on;
        };
        QVERIFY(openSingleMode(f));
        QCOMPARE(enabled(), QString("001"));
        f.session()->memory().closeWindow();
        QCOMPARE(enabled(), QString("111"));
        QVERIFY(openSetList(f, 1));
        QCOMPARE(enabled(), QString("001"));
        child<QComboBox>(f, "Combo1")->setCurrentIndex(0);
        emit child<QComboBox>(f, "Combo1")->activated(0);
        QCOMPARE(enabled(), QString("111"));
        QVERIFY(memoryWindow(f));
        f.session()->memory().closeWindow();
        QCOMPARE(enabled(), QString("111"));
        QVERIFY(dialogs.messages.isEmpty());
    }

    void lostLinkClosesTheMemoryWindow() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(openSingleMode(f));
        f.meter().setSilent(true);
        QVERIFY(f.waitFor([&] { return f.text("LblComm") == "No Com"; }, 6000));
        QVERIFY(!memoryWindow(f));
        f.meter().setSilent(false);
        QVERIFY(f.waitFor([&] { return f.panel()->button("CmdPsingle")->isEnabled(); }, kAnswerMs));
    }
};

QTEST_MAIN(TestMemory)
#include "test_memory.moc"
