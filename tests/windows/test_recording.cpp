// Sampling, the recording file, the live list rows and the live graphs with their ranges,
// driven tick by tick against the simulated meter.
#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "files/files.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "recording/graph_range_dialog.h"
#include "recording/graph_windows.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "support/fake_dialogs.h"
#include "support/meter_fixture.h"
#include "ui/pc_clock.h"
#include "ui/trace_view.h"

using core::Quantity;
using recording::RealTimeGraph;

namespace {

// Recording line `number` of the meter's fixed reading, sampled at `time` on 24/03/05.
QByteArray line(int number, const char* time) {
    return QByteArray::number(number) + "\t24/03/05\t" + time + "\t7.012\tpH\t25.3\t'C\tATC\r\n";
}

// The program on a simulated meter reading pH 7.012 at 25.3 'C, with the sampling timer
// stopped so that the test gives the ticks, and a PC clock that moves on one second after each
// tick, from 14:02:59.
struct Rig {
    MeterFixture f;
    FakeDialogs dialogs;
    QTemporaryDir dir;
    QDateTime now{QDate(2024, 3, 5), QTime(14, 2, 59)};

    files::Files& files() { return f.session()->files(); }
    recording::Recorder& recorder() { return f.session()->recorder(); }
    recording::LiveGraphs& graphs() { return f.session()->graphs(); }

    Rig() {
        ui::setPcClock([this] { return now; });
    }
    ~Rig() { ui::setPcClock(nullptr); }

    bool start() {
        f.meter().withModel([](sim::MeterModel& m) {
            m.setFixedPh(7.012);
            m.setFixedTemperature(25.3);
            return 0;
        });
        if (!f.startPanel()) return false;
        recorder().timer2()->stop();
        return shows("LblUpValue", "7.012") && shows("Lblfc", "'C");
    }
    bool shows(const char* label, const QString& text) {
        return f.waitFor([&] { return f.text(label) == text; }, 5000);
    }
    void tick() {
        emit recorder().sampleTick();
        now = now.addSecs(1);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i) tick();
    }
    void click(const char* button) { f.panel()->button(button)->click(); }
    void setInterval(const QString& answer) {
        dialogs.inputs.enqueue(answer);
        click("CmdPSample");
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    void startRecording(const QString& name) {
        dialogs.saveName = path(name);
        click("CmdPsavestop");
    }
    // The panel counts a line once it is in the file.
    bool counted(int lines) { return shows("LblCount", QStringLiteral(" %1").arg(lines)); }
    QByteArray file(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int liveRows() {
        files::RealTimeList* list = files().findRealTimeList();
        return list ? list->grid()->rows() - 1 : -1;
    }
};

QString labelText(Rig& r, Quantity quantity, const char* label) {
    RealTimeGraph* graph = r.graphs().findGraph(quantity);
    QLabel* l = graph ? graph->view()->label(label) : nullptr;
    return l ? l->text() : QStringLiteral("<missing>");
}

}  // namespace

class TestRecording : public QObject {
    Q_OBJECT

  private slots:
    void ticksSampleFirstThenEveryNthAndAtOnceAfterANewInterval() {
        Rig r;
        QVERIFY(r.start());
        r.click("CmdPlist");
        r.setInterval("3");
        QCOMPARE(r.f.text("LblSample"), QString("3 Sec"));
        QString pattern;
        for (int i = 0; i < 7; ++i) {
            const int rows = r.liveRows();
            r.tick();
            pattern += r.liveRows() > rows ? 'S' : '.';
        }
        QCOMPARE(pattern, QString("S..S..S"));

        // Refused answers say why and leave the interval; a new one samples on the next tick.
        r.setInterval("abc");
        r.setInterval("99999999999");
        QCOMPARE(r.dialogs.messages.size(), 2);
        QVERIFY(r.dialogs.messages[0].text.contains("\"abc\" is not a number"));
        QVERIFY(r.dialogs.messages[1].text.contains("too large"));
        QCOMPARE(r.f.text("LblSample"), QString("3 Sec"));
        r.setInterval("");
        r.tick();
        QCOMPARE(r.liveRows(), 3);
        r.setInterval("3.5");
        QCOMPARE(r.f.text("LblSample"), QString("4 Sec"));
        r.tick();
        QCOMPARE(r.liveRows(), 4);
    }

    void recordingAppendsNumberedBlocksAfterACutOffLine() {
        Rig r;
        QVERIFY(r.start());
        QFile old(r.path("session.dat"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("7\t24/03/04\t23:59:58\t6.9");  // cut off by a power failure
        old.close();

        r.startRecording("session.dat");
        QCOMPARE(r.dialogs.lastSaveExisting, ui::Dialogs::ExistingFile::AppendWithoutAsking);
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Stop Rec"));
        QVERIFY(r.f.visible("RecordingLbl"));
        QCOMPARE(r.f.text("LblFile"), QString("session.dat"));
        r.tick();  // the first tick samples
        QVERIFY(r.counted(1));
        r.ticks(2);  // interval 2
        QVERIFY(r.counted(2));
        r.click("CmdPsavestop");
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Save As"));
        QVERIFY(!r.f.visible("RecordingLbl"));
        QCOMPARE(r.f.text("LblCount"), QString());
        QCOMPARE(r.f.text("LblFile"), QString("session.dat"));

        // With the low-battery mark: the live list gets "Low", the file never.
        r.f.meter().withModel([](sim::MeterModel& m) {
            m.setLowBattery(true);
            return 0;
        });
        QVERIFY(r.f.waitFor(
            [&] { return r.f.session()->readout().state().MeterReading.LowBattery == 1; }, 5000));
        r.click("CmdPlist");
        r.startRecording("session.dat");
        r.ticks(2);
        QVERIFY(r.counted(1));
        QCOMPARE(r.files().findRealTimeList()->grid()->cellText(1, 8), QString("Low"));

        // Saving the live list while recording stops the recording once the user agrees.
        r.dialogs.saveName = r.path("list.dat");
        r.files().findRealTimeList()->CmdRsave_Click();
        QCOMPARE(r.dialogs.messages.last().title, QString("Warning!"));
        QVERIFY(!r.recorder().IsRecording);
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Save As"));

        QCOMPARE(r.file("session.dat"), "7\t24/03/04\t23:59:58\t6.9\r\n" + line(1, "14:02:59") +
                                            line(2, "14:03:01") + line(1, "14:03:03"));
    }

    void samplesFallOnThePcClocksSecondsHoweverTheTicksFire() {
        Rig r;
        QVERIFY(r.start());
        r.setInterval("3");
        r.startRecording("minute.dat");
        // The tick as the timer fires it: early, on time, late, very late within its second.
        const QDateTime start = r.now;
        qint64 at = 0;  // ms since start
        const int lateness[] = {0, 3, 400, -9, 990, 120};
        for (int i = 0; at < 61000; ++i) {
            r.now = start.addMSecs(at);
            r.recorder().Timer2_Timer();
            QTimer* timer2 = r.recorder().timer2();
            QVERIFY(timer2->isActive() && timer2->isSingleShot());
            timer2->stop();
            at += timer2->interval() + lateness[i % 6];
        }
        QVERIFY(r.counted(21));
        const QList<QByteArray> lines = r.file("minute.dat").split('\n');
        QCOMPARE(lines.size(), 22);  // 21 lines and the end after the last one
        QTime previous;
        for (int i = 0; i < 21; ++i) {
            const QTime time = QTime::fromString(QString::fromLatin1(lines[i].split('\t')[2]),
                                                 QStringLiteral("hh:mm:ss"));
            if (i > 0) QCOMPARE(previous.secsTo(time), 3);
            previous = time;
        }
    }

    void closingThePanelWhileRecordingAsksFirst() {
        Rig r;
        QVERIFY(r.start());
        r.startRecording("quit.dat");
        r.tick();
        QVERIFY(r.counted(1));
        r.dialogs.answers.enqueue(ui::Dialogs::Answer::No);
        QVERIFY(!r.f.panel()->close());
        QCOMPARE(r.dialogs.messages.size(), 1);
        QCOMPARE(r.dialogs.messages[0].text,
                 QString("A recording is running (1 line in quit.dat). Stop it and quit?"));
        QCOMPARE(r.dialogs.messages[0].buttons, ui::Dialogs::Buttons::YesNo);
        QVERIFY(r.recorder().IsRecording);
        QCOMPARE(r.f.quitRequests(), 0);

        // With a download running too it is asked about first; No leaves both running.
        r.f.panel()->setDownloadRunning(true);
        r.dialogs.answers.enqueue(ui::Dialogs::Answer::No);
        QVERIFY(!r.f.panel()->close());
        QCOMPARE(r.dialogs.messages.size(), 2);
        QVERIFY(r.dialogs.messages[1].text.startsWith("A download from the meter is running ("));
        QVERIFY(r.dialogs.messages[1].text.endsWith("). Stop it and quit?"));
        QVERIFY(r.recorder().IsRecording);

        r.dialogs.answers << ui::Dialogs::Answer::Yes << ui::Dialogs::Answer::Yes;
        QVERIFY(r.f.panel()->close());
        QCOMPARE(r.dialogs.messages.size(), 4);
        QVERIFY(!r.recorder().IsRecording);
        QCOMPARE(r.f.quitRequests(), 1);
        QCOMPARE(r.file("quit.dat"), line(1, "14:02:59"));
    }

    void earlyEndAfterAFirstGraphPointSamplesAgainOnTheNextTick() {
        Rig r;
        QVERIFY(r.start());
        r.setInterval("5");
        r.startRecording("early.dat");
        r.click("CmdPpHG");
        r.ticks(7);  // sample (first point), sample again, then four counting ticks, sample
        QVERIFY(r.counted(3));
        QCOMPARE(r.file("early.dat"),
                 line(1, "14:02:59") + line(2, "14:03:00") + line(3, "14:03:05"));
        QCOMPARE(r.graphs().findGraph(Quantity::Ph)->view()->pointCount(0), size_t(3));
    }

    void clockScreenStopsTheRecordingAndClosesTheLiveWindows() {
        Rig r;
        QVERIFY(r.start());
        r.startRecording("clock.dat");
        r.click("CmdPlist");
        r.click("CmdPpHG");
        r.click("CmdPtempG");
        r.tick();
        QVERIFY(r.counted(1));
        QVERIFY(r.graphs().findGraph(Quantity::Ph) && r.graphs().findGraph(Quantity::Temperature));

        r.click("CmdToggle");
        QVERIFY(r.f.waitFor(
            [&] { return r.f.session()->readout().state().MeterReading.ClockMode == 1; }, 5000));
        r.ticks(3);
        QVERIFY(!r.recorder().IsRecording);
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Save As"));
        QCOMPARE(r.f.text("LblCount"), QString());
        QVERIFY(!r.files().findRealTimeList());
        QVERIFY(!r.graphs().findGraph(Quantity::Ph) &&
                !r.graphs().findGraph(Quantity::Temperature));
        QVERIFY(!r.graphs().PhMvGraphOpen && !r.graphs().TempGraphOpen);
        QVERIFY(!r.files().liveListOpen());
        QCOMPARE(r.file("clock.dat"), line(1, "14:02:59"));

        // The panel says why, without a message box, until the next recording starts.
        QVERIFY(r.dialogs.messages.isEmpty());
        QVERIFY(r.f.visible("LblRecordingNotice"));
        QCOMPARE(r.f.text("LblRecordingNotice"),
                 QString::fromUtf8("Recording stopped 14:03:00: the meter showed its clock screen "
                                   "\u2014 1 line in clock.dat"));
        r.ticks(2);
        QVERIFY(r.f.text("LblRecordingNotice").startsWith("Recording stopped 14:03:00"));
        r.click("CmdpH");
        QVERIFY(r.f.waitFor(
            [&] { return r.f.session()->readout().state().MeterReading.ClockMode == 0; }, 5000));
        r.startRecording("clock.dat");
        QVERIFY(!r.f.visible("LblRecordingNotice"));
        r.click("CmdPsavestop");
        QCOMPARE(r.f.text("LblRecordingNotice"),
                 QString::fromUtf8("Recording stopped 14:03:05: \"Stop Rec\" was pressed \u2014 no "
                                   "lines in clock.dat"));
    }

    void noSampleWhileTheLinkIsLost() {
        Rig r;
        QVERIFY(r.start());
        r.setInterval("1");
        r.startRecording("link.dat");
        r.tick();
        QVERIFY(r.counted(1));
        r.f.meter().setSilent(true);
        QVERIFY(r.f.waitFor([&] { return r.f.session()->readout().state().LinkLost; }, 8000));
        r.ticks(3);
        r.f.meter().setSilent(false);
        QVERIFY(r.f.waitFor(
            [&] {
                return !r.f.session()->readout().state().LinkLost &&
                       r.f.text("LblUpValue") == "7.012";
            },
            8000));
        r.tick();
        QVERIFY(r.counted(2));
        QCOMPARE(r.file("link.dat"), line(1, "14:02:59") + line(2, "14:03:03"));
    }

    void recordingFileFailuresAreReportedAndStopTheRecording() {
        Rig r;
        QVERIFY(r.start());
        r.startRecording("no such folder/r.dat");
        QCOMPARE(r.dialogs.messages.size(), 1);
        QVERIFY(r.dialogs.messages[0].text.contains(r.path("no such folder/r.dat")));
        QVERIFY(r.dialogs.messages[0].text.contains("No such file or directory"));
        QVERIFY(!r.recorder().IsRecording);
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Save As"));

        // A full disk: the line cannot be written.
        r.dialogs.saveName = "/dev/full";
        r.click("CmdPsavestop");
        QVERIFY(r.recorder().IsRecording);
        r.tick();
        QVERIFY(r.f.waitFor([&] { return r.dialogs.messages.size() == 2; }, 3000));
        QVERIFY(r.dialogs.messages[1].text.contains("/dev/full"));
        QVERIFY(r.dialogs.messages[1].text.contains("No space left on device"));
        QVERIFY(!r.recorder().IsRecording);
        QCOMPARE(r.f.panel()->button("CmdPsavestop")->text(), QString("Save As"));
        QCOMPARE(r.f.text("LblCount"), QString());
        QVERIFY(r.f.text("LblRecordingNotice")
                    .endsWith(QString::fromUtf8(
                        "a line could not be written to the disk \u2014 no lines in full")));
    }

    void graphWithTenPointsLabelsItsTimesAndRestarts() {
        Rig r;
        QVERIFY(r.start());
        r.setInterval("1");
        r.click("CmdPpHG");
        // Where the user has put the window: it stays there through the restarts.
        RealTimeGraph* first = r.graphs().findGraph(Quantity::Ph);
        QVERIFY(first);
        const QRect moved(first->geometry().topLeft() + QPoint(40, 30),
                          first->size() + QSize(60, 40));
        first->setGeometry(moved);
        r.tick();
        QCOMPARE(first->view()->traceCount(), 1);
        first->findChild<QAction*>("MnuLimit")->trigger();
        auto* dialog = r.graphs().findRangeDialog(Quantity::Ph);
        QVERIFY(dialog);
        QCOMPARE(dialog->findChild<QLineEdit*>("TxtReal1Rec")->text(), QString("300"));
        dialog->findChild<QLineEdit*>("TxtReal1Rec")->setText("10");
        dialog->findChild<QLineEdit*>("TxtReal1Max")->setText("12");
        dialog->CmdOk_Click();
        QCOMPARE(r.graphs().findGraph(Quantity::Ph), first);
        QCOMPARE(first->geometry(), moved);
        QCOMPARE(first->view()->traceCount(), 0);
        QCOMPARE(labelText(r, Quantity::Ph, "LblValTop"), QString("12"));
        QCOMPARE(labelText(r, Quantity::Ph, "LblT1"), QString());

        QStringList times;
        r.now = QDateTime(QDate(2024, 3, 5), QTime(14, 3, 0));
        for (int i = 0; i <= 10; ++i) {  // the first point, then points 1 to 10
            r.tick();
            if (i == 9) {
                QCOMPARE(first->view()->pointCount(0), size_t(10));
                times = {labelText(r, Quantity::Ph, "LblT1"), labelText(r, Quantity::Ph, "LblT2"),
                         labelText(r, Quantity::Ph, "LblT3"),
                         labelText(r, Quantity::Ph, "LblValue")};
            }
        }
        QCOMPARE(times, (QStringList{"14:03:00", "14:03:05", "14:03:09", "7.012"}));
        // Point 10 lies past the right edge: the picture started again, empty, in its window.
        QCOMPARE(r.graphs().findGraph(Quantity::Ph), first);
        QCOMPARE(first->geometry(), moved);
        QCOMPARE(first->view()->traceCount(), 0);
        QCOMPARE(labelText(r, Quantity::Ph, "LblT1"), QString());
        r.tick();
        QCOMPARE(first->view()->pointCount(0), size_t(1));
        QCOMPARE(labelText(r, Quantity::Ph, "LblT1"), QString("14:03:11"));
        QVERIFY(r.graphs().PhMvGraphOpen);
    }

    void graphsFollowPhMvAndTheTemperatureUnit() {
        Rig r;
        QVERIFY(r.start());
        r.setInterval("1");
        r.click("CmdmV");
        QVERIFY(r.shows("LblUpUnit", "mV"));
        r.click("CmdPpHG");
        r.click("CmdPtempG");
        QVERIFY(r.graphs().findGraph(Quantity::Mv) && !r.graphs().findGraph(Quantity::Ph));
        QCOMPARE(labelText(r, Quantity::Mv, "TopLbl"), QString("-2000"));
        QCOMPARE(labelText(r, Quantity::Temperature, "LblUnit"), QString("Celsius"));
        r.ticks(2);

        r.click("CmdpH");
        r.click("CmdF");
        QVERIFY(r.shows("LblUpUnit", "pH") && r.shows("Lblfc", "'F"));
        r.tick();
        QVERIFY(!r.graphs().findGraph(Quantity::Mv) && r.graphs().findGraph(Quantity::Ph));
        QVERIFY(r.graphs().PhMvGraphOpen);
        r.tick();  // the pH graph's first point ended the tick before; now the temperature
        QCOMPARE(labelText(r, Quantity::Temperature, "LblUnit"), QString("Fahrenheit"));
        QCOMPARE(r.graphs().TempGraphUnit, QString("F"));
        QCOMPARE(r.graphs().findGraph(Quantity::Temperature)->view()->traceCount(), 0);
    }

    void rangeDialogsCheckStrictlyAndKeepTheGraphClosedOnAMessage() {
        Rig r;
        QVERIFY(r.start());
        r.click("CmdmV");
        QVERIFY(r.shows("LblUpUnit", "mV"));
        r.click("CmdPpHG");
        auto* dialog = r.graphs().showRangeDialog(Quantity::Mv);
        QCOMPARE(dialog->windowTitle(), QString("Real Time mV Range"));
        const auto enter = [&](const char* records, const char* min, const char* max) {
            dialog->findChild<QLineEdit*>("TxtReal2Rec")->setText(records);
            dialog->findChild<QLineEdit*>("TxtReal2Min")->setText(min);
            dialog->findChild<QLineEdit*>("TxtReal2Max")->setText(max);
            dialog->CmdOk_Click();
        };
        enter("9", "0", "2000");
        enter("300", "-1", "2000");
        enter("300", "100", "1000x");
        QCOMPARE(r.dialogs.messages.size(), 3);
        QCOMPARE(r.dialogs.messages[0].text,
                 QString("Invalid, Numbers of Records >=10, Try again!"));
        QCOMPARE(r.dialogs.messages[1].text,
                 QString("Invalid, Min. Range >= 0 ; Max. Range > Min. Range"));
        QCOMPARE(r.dialogs.messages[2].text, r.dialogs.messages[1].text);
        QVERIFY(!r.graphs().findGraph(Quantity::Mv));
        QVERIFY(!r.graphs().PhMvGraphOpen);
        QCOMPARE(r.graphs().MvGraph.Range, core::DefaultGraphRange(Quantity::Mv));

        enter("300", "100", "1000");
        QVERIFY(!r.graphs().findRangeDialog(Quantity::Mv));
        QVERIFY(r.graphs().PhMvGraphOpen);
        QStringList labels;
        for (const char* name : {"LblValTop", "LblValMid", "Lbl0", "MidLbl", "TopLbl"})
            labels << labelText(r, Quantity::Mv, name);
        QCOMPARE(labels, (QStringList{"1000", "550", "100", "-550", "-1000"}));
    }
};

QTEST_MAIN(TestRecording)
#include "test_recording.moc"
