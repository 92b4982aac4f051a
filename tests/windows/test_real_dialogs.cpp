// Real modal dialogs standing while the meter is polled, recorded from and pulled away. The fake
// dialogs of the other window tests return at once and would hide what happens meanwhile.
#include <unistd.h>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSet>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "core/graph_range.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "memory/memory.h"
#include "memory/memory_window.h"
#include "meter/display_poll.h"
#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "recording/graph_range_dialog.h"
#include "recording/graph_windows.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "support/meter_fixture.h"
#include "ui/dialogs.h"
#include "ui/image_size_prompt.h"

namespace {

int polls(sim::MeterSim& meter) {
    int n = 0;
    for (const auto& frame : meter.receivedFrames()) n += frame == std::vector<uint8_t>{0x20};
    return n;
}

// Runs `action` once, from the event loop of the next modal dialog, while it stands.
void whenModal(std::function<void(QDialog*)> action) {
    auto* watch = new QTimer;
    QObject::connect(watch, &QTimer::timeout, [watch, action] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog) return;
        watch->stop();
        watch->deleteLater();
        action(dialog);
    });
    watch->start(10);
}

QStringList valueCells(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    QStringList values;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (line.count('\t') >= 4) values.append(QString::fromLatin1(line.split('\t').at(3)));
    return values;
}

// A meter behind a symbolic link that always names its current pty, so that it can hang up and
// come back under the same name.
std::string linkPath() {
    static int n = 0;
    return QDir::temp()
        .filePath(QStringLiteral("meterpanel-dialogs-%1-%2").arg(getpid()).arg(++n))
        .toStdString();
}

void setText(QWidget* window, const char* box, const QString& text) {
    window->findChild<QLineEdit*>(box)->setText(text);
}

}  // namespace

class TestRealDialogs : public QObject {
    Q_OBJECT

  private slots:
    // The input box, the Save As dialog and a message box each stand while the panel polls; a
    // recording at interval 1 takes fresh readings meanwhile, and a pulled cable shows "No Com".
    void thePanelGoesOnWhileRealDialogsStand() {
        QTemporaryDir dir;
        const QString path = dir.filePath("rec.dat");
        MeterFixture f(true, linkPath());
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 6000));

        int pollsMeanwhile = -1;
        whenModal([&](QDialog* dialog) {
            auto* input = qobject_cast<QInputDialog*>(dialog);
            const int before = polls(f.meter());
            QTest::qWait(1600);
            pollsMeanwhile = polls(f.meter()) - before;
            input->setTextValue("1");
            input->accept();
        });
        QTest::mouseClick(f.panel()->button("CmdPSample"), Qt::LeftButton);
        QVERIFY2(pollsMeanwhile >= 2, qPrintable(QString::number(pollsMeanwhile)));
        QCOMPARE(f.text("LblSample"), QString("1 Sec"));

        whenModal([&](QDialog* dialog) {
            auto* save = qobject_cast<QFileDialog*>(dialog);
            QTest::qWait(600);
            auto* name = save->findChild<QLineEdit*>("fileNameEdit");
            name->setText(path);
            QTest::keyClick(name, Qt::Key_Return);
        });
        QTest::mouseClick(f.panel()->button("CmdPsavestop"), Qt::LeftButton);
        QVERIFY(f.session()->recorder().IsRecording);

        // The meter's reading steps every half second while the box stands.
        double ph = 6.0;
        QTimer steps;
        connect(&steps, &QTimer::timeout, [&] {
            ph += 0.1;
            f.meter().withModel([ph](sim::MeterModel& m) {
                m.setFixedPh(ph);
                return 0;
            });
        });
        steps.start(500);
        QStringList recordedMeanwhile;
        bool lostShown = false, backShown = false;
        whenModal([&](QDialog* box) {
            QTest::qWait(3500);
            steps.stop();
            recordedMeanwhile = valueCells(path);
            f.meter().hangUp();
            lostShown = f.waitFor([&] { return f.text("LblComm") == "No Com"; }, 10000);
            f.meter().comeBack();
            backShown = f.waitFor([&] { return f.text("LblComm") == "Com1"; }, 10000);
            box->accept();
        });
        ui::dialogs().message(f.panel(), "Standing", "A box over the panel",
                              ui::Dialogs::Icon::None, ui::Dialogs::Buttons::Ok);
        QVERIFY(lostShown);
        QVERIFY(backShown);
        QVERIFY2(recordedMeanwhile.size() >= 3, qPrintable(recordedMeanwhile.join(' ')));
        const QSet<QString> distinct(recordedMeanwhile.begin(), recordedMeanwhile.end());
        QVERIFY2(distinct.size() >= 3, qPrintable(recordedMeanwhile.join(' ')));
        QVERIFY(!distinct.contains(QString()));
        QTest::mouseClick(f.panel()->button("CmdPsavestop"), Qt::LeftButton);
        QVERIFY(!f.session()->recorder().IsRecording);
    }

    // A message box stands over a window when the cable is pulled: the lost link closes the
    // window (and the box with it), the program lives on, and the panel comes back with the
    // meter.
    void aLostLinkClosesWindowsUnderTheirRealMessageBox_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("Memory") << "Memory";
        QTest::newRow("live range") << "Real1Range";
        QTest::newRow("plot range") << "Plot1Range";
    }

    void aLostLinkClosesWindowsUnderTheirRealMessageBox() {
        QFETCH(QString, window);
        MeterFixture f(true, linkPath());
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 6000));

        QPointer<QWidget> standsUnder;
        std::function<void()> refuse;
        if (window == "Memory") {
            QTest::mouseClick(f.panel()->button("CmdPsingle"), Qt::LeftButton);
            memory::Memory& memory = f.session()->memory();
            QVERIFY(f.waitFor([&] { return memory.find() != nullptr; }, 8000));
            memory::MemoryWindow* memoryWindow = memory.find();
            standsUnder = memoryWindow;
            setText(memoryWindow, "TxtSampling", "abc");
            refuse = [memoryWindow] { memoryWindow->CmdSampling_Click(); };
        } else if (window == "Real1Range") {
            f.session()->graphs().showGraph(core::Quantity::Ph);
            auto* range = f.session()->graphs().showRangeDialog(core::Quantity::Ph);
            standsUnder = range;
            setText(range, "TxtReal1Rec", "abc");
            refuse = [range] { range->CmdOk_Click(); };
        } else {
            auto* list = new files::FileList(f.session()->files());
            core::RowTexts rows;
            for (int r = 1; r <= 5; ++r)
                rows.append(std::to_string(r) + "\t24/03/05\t10:00:0" + std::to_string(r) +
                            "\t7.0\tpH\t25.5\t'C\tATC");
            list->grid()->addRows(rows);
            list->show();
            list->findChild<QAction*>("MnupHmV")->trigger();
            plots::Plots& plots = f.session()->plots();
            plots.findPlot(core::Quantity::Ph)->findChild<QAction*>("MnuLimit")->trigger();
            plots::PlotRangeDialog* range = plots.findRangeDialog(core::Quantity::Ph);
            QVERIFY(range);
            standsUnder = range;
            setText(range, "TxtT1", "x");
            refuse = [range] { range->CmdOk_Click(); };
        }
        QVERIFY(standsUnder);

        bool closedUnderTheBox = false;
        whenModal([&](QDialog* box) {
            QVERIFY(qobject_cast<QMessageBox*>(box));
            QCOMPARE(box->parentWidget(), standsUnder.data());
            f.meter().hangUp();
            closedUnderTheBox = f.waitFor([&] { return standsUnder.isNull(); }, 10000);
        });
        refuse();
        QVERIFY(closedUnderTheBox);
        QVERIFY(!QApplication::activeModalWidget());
        f.meter().comeBack();
        QVERIFY(f.waitFor([&] { return f.text("LblComm") == "Com1"; }, 10000));
    }

    // Save Image's real dialogs over a plot: a bare name gets the chosen filter's suffix and the
    // typed size is used; a lost link closes the plot under the size prompt, which goes with it.
    void saveImageDialogsStandOverAPlotUntilTheLinkIsLost() {
        QTemporaryDir dir;
        MeterFixture f(true, linkPath());
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 6000));
        auto* list = new files::FileList(f.session()->files());
        core::RowTexts rows;
        for (int r = 1; r <= 5; ++r)
            rows.append(std::to_string(r) + "\t24/03/05\t10:00:0" + std::to_string(r) +
                        "\t7.0\tpH\t25.5\t'C\tATC");
        list->grid()->addRows(rows);
        list->show();
        list->findChild<QAction*>("MnupHmV")->trigger();
        QPointer<plots::PlotWindow> plot = f.session()->plots().findPlot(core::Quantity::Ph);
        QVERIFY(plot);

        // Answers the Save As dialog with `name`, then runs `sized` in the size prompt.
        const auto answer = [](const QString& name, std::function<void(QDialog*)> sized) {
            whenModal([name, sized](QDialog* dialog) {
                auto* save = qobject_cast<QFileDialog*>(dialog);
                if (!save) return;
                auto* edit = save->findChild<QLineEdit*>("fileNameEdit");
                edit->setText(name);
                whenModal(sized);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        };
        bool prompted = false;
        answer(dir.filePath("picture"), [&](QDialog* dialog) {
            prompted = qobject_cast<ui::ImageSizeDialog*>(dialog) != nullptr;
            dialog->findChild<QSpinBox*>("TxtImageWidth")->setValue(300);
            dialog->findChild<QSpinBox*>("TxtImageHeight")->setValue(200);
            dialog->accept();
        });
        plot->findChild<QAction*>("MnuSaveImage")->trigger();
        QVERIFY(prompted);
        QCOMPARE(QImage(dir.filePath("picture.png")).size(), QSize(300, 200));

        bool closedUnderThePrompt = false;
        answer(dir.filePath("lost.png"), [&](QDialog*) {
            f.meter().hangUp();
            closedUnderThePrompt = f.waitFor([&] { return plot.isNull(); }, 10000);
        });
        plot->findChild<QAction*>("MnuSaveImage")->trigger();
        QVERIFY(closedUnderThePrompt);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(!QFile::exists(dir.filePath("lost.png")));
        f.meter().comeBack();
        QVERIFY(f.waitFor([&] { return f.text("LblComm") == "Com1"; }, 10000));
    }

    // Refused entries on a live pH graph's range dialog, each answered in its real box while
    // the poll goes on, then a valid range; again and again.
    void refusedRangesThenAValidOneOnALiveGraph() {
        MeterFixture f;
        QVERIFY(f.startPanel());
        QVERIFY(f.waitFor([&] { return f.panel()->displayPoll()->ticks() >= 1; }, 6000));
        const int ticksBefore = f.panel()->displayPoll()->ticks();
        for (int run = 0; run < 6; ++run) {
            f.session()->graphs().showGraph(core::Quantity::Ph);
            QPointer<recording::GraphRangeDialog> range =
                f.session()->graphs().showRangeDialog(core::Quantity::Ph);
            for (const char* records : {"abc", "0", "-5"}) {
                setText(range, "TxtReal1Rec", records);
                whenModal([](QDialog* box) {
                    QTest::qWait(150);
                    box->accept();
                });
                range->findChild<QPushButton*>("CmdOk")->click();
                QVERIFY(range);
            }
            setText(range, "TxtReal1Rec", "10");
            setText(range, "TxtReal1Min", "0");
            setText(range, "TxtReal1Max", "14");
            range->findChild<QPushButton*>("CmdOk")->click();
            QVERIFY(f.waitFor([&] { return range.isNull(); }, 2000));
            QVERIFY(f.session()->graphs().findGraph(core::Quantity::Ph));
            QCOMPARE(f.session()->graphs().TraceOf(core::Quantity::Ph).Range.RecordsPerGraph, 10);
        }
        QVERIFY(f.panel()->displayPoll()->ticks() > ticksBefore);
    }
};

QTEST_MAIN(TestRealDialogs)
#include "test_real_dialogs.moc"
