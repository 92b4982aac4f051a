// Saves pictures of the program's windows on the simulated meter, for the README and for
// looking at the program without a screen:
// panel_screenshot OUT.png [pH|mV|cal|clock|interval|over|lost|port|alarm|list FILE|plot
// FILE|tempplot FILE] Runs on any Qt platform (offscreen too). Built by `./scripts/build --extras`
// (or CMake's -DMETERPANEL_TOOLS=ON) as build/tools/panel_screenshot.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include "alarm/alarm.h"
#include "alarm/alarm_dialog.h"
#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "files/data_list.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "link/port_window.h"
#include "memory/memory.h"
#include "memory/memory_window.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "recording/graph_range_dialog.h"
#include "recording/graph_windows.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "sim/demo_memory.h"
#include "ui/dialogs.h"

namespace {

// Answers the Open dialog with a given file and everything else with OK or cancel.
struct OpenDialog : ui::Dialogs {
    QString name;
    Answer message(QWidget*, const QString&, const QString&, Icon, Buttons) override {
        return Answer::Ok;
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return name; }
    QString saveFileName(QWidget*, const QString&, const QString&, ExistingFile) override {
        return {};
    }
    bool printLines(QWidget*, const QString&, const QStringList&, QString*) override {
        return false;
    }
    bool printWidget(QWidget*, QWidget*, QString*) override { return false; }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) {
        fprintf(stderr,
                "usage: panel_screenshot OUT.png "
                "[pH|mV|cal|clock|interval|over|lost|port|alarm|single|multi|set|graph|tempgraph|"
                "graphrange|\n"
                "list FILE|plot FILE|tempplot FILE|plotrange FILE]\n");
        return 2;
    }
    const std::unique_ptr<sim::MeterSim> meter = app::StartSimulatedMeter({});
    if (!meter) return 1;
    const QString mode = argc > 2 ? QString(argv[2]) : QString("pH");
    if (mode == "port") {
        serial::Port port;
        port.show();
        (void)QTest::qWaitForWindowExposed(&port);
        return port.grab().save(argv[1]) ? 0 : 1;
    }
    meter->withModel([&mode, &meter](sim::MeterModel& m) {
        if (mode == "mV") m.setMainUnit(sim::MainUnit::Mv);
        if (mode == "cal") m.setScreen(sim::Screen::Calibration);
        if (mode == "clock") m.setScreen(sim::Screen::Clock);
        if (mode == "interval") m.setScreen(sim::Screen::Interval);
        if (mode == "multi" || mode == "single" || mode == "set")
            sim::fillDemoMemory(m, m.clock(meter->now()));
        if (mode == "over") {
            m.setMainUnit(sim::MainUnit::Mv);
            m.setFixedMv(-1999.9);
            m.setOverRange(true);
            m.setTempUnit(sim::TempUnit::Fahrenheit);
            m.setManualTemp(true);
        }
        return 0;
    });
    const std::unique_ptr<app::Session> session =
        app::StartPanel(1, {}, app::PortsWithMeter(*meter));
    if (!session) return 1;
    panel::Panel* panel = session->panel();
    (void)QTest::qWaitFor([&] { return panel->displayPoll()->ticks() >= 4; }, 10000);
    QWidget* shot = panel;
    if (mode == "lost") {
        meter->setSilent(true);
        (void)QTest::qWaitFor([&] { return panel->displayPoll()->inLostLink(); }, 10000);
        QTest::qWait(300);
    } else if (mode == "multi" || mode == "set" || mode == "single") {
        QPushButton* button =
            mode == "single" ? panel->controls().CmdPsingle : panel->controls().CmdPmul;
        button->click();
        memory::Memory& memory = session->memory();
        (void)QTest::qWaitFor([&] { return memory.find() != nullptr; }, 5000);
        memory::MemoryWindow* window = memory.find();
        if (mode == "single" && window) {
            window->findChild<QPushButton*>("CmdSingleRec")->click();
        } else if (mode == "set" && window) {
            // Wait for the sets, then list the second one.
            auto* sets = window->findChild<QComboBox*>("Combo1");
            (void)QTest::qWaitFor([&] { return sets->count() > 1; }, 20000);
            sets->setCurrentIndex(1);
            emit sets->activated(1);
        } else {
            (void)QTest::qWaitFor(
                [&] { return window && window->findChild<QComboBox*>("Combo1")->count() > 0; },
                20000);
        }
        QTest::qWait(1500);
        shot = window;
        if (mode != "multi")
            if (QWidget* list = session->files().findDataList()) shot = list;
    } else if (mode == "graph" || mode == "tempgraph") {
        // Forty samples, one a tick, across a graph of forty points; the meter drifts meanwhile.
        recording::LiveGraphs& graphs = session->graphs();
        for (recording::GraphTrace* trace : {&graphs.PhGraph, &graphs.TempGraph})
            *trace = recording::GraphTrace{core::DefaultGraphRange(core::Quantity::Ph)};
        graphs.PhGraph.Range.MaxValue = 7.1;
        graphs.PhGraph.Range.MinValue = 6.9;
        graphs.TempGraph.Range = core::DefaultGraphRange(core::Quantity::Temperature);
        graphs.TempGraph.Range.MaxValue = 30;
        graphs.TempGraph.Range.MinValue = 20;
        for (recording::GraphTrace* trace : {&graphs.PhGraph, &graphs.TempGraph}) {
            trace->Range.RecordsPerGraph = 40;
            trace->Range.StepX = core::StepXFor(40);
        }
        session->recorder().SamplingInterval = 1;
        panel->controls().CmdPpHG->click();
        panel->controls().CmdPtempG->click();
        QTest::qWait(40 * 950);
        const core::Quantity shown =
            mode == "graph" ? core::Quantity::Ph : core::Quantity::Temperature;
        if (QWidget* graph = graphs.findGraph(shown)) shot = graph;
    } else if (mode == "alarm") {
        shot = session->alarm().show(panel);
        QTest::qWait(100);
    } else if (mode == "graphrange") {
        panel->controls().CmdPpHG->click();
        QTest::qWait(300);
        if (QWidget* graph = session->graphs().findGraph(core::Quantity::Ph)) {
            graph->findChild<QAction*>("MnuLimit")->trigger();
            QTest::qWait(300);
            if (QWidget* dialog = session->graphs().findRangeDialog(core::Quantity::Ph))
                shot = dialog;
        }
    } else if ((mode == "list" || mode == "plot" || mode == "tempplot" || mode == "plotrange") &&
               argc > 3) {
        static OpenDialog dialog;
        dialog.name = argv[3];
        ui::setDialogs(&dialog);
        files::OpenDataFile(session->files(), panel);
        QTest::qWait(200);
        QWidget* list = session->files().findFileList();
        shot = list ? list : shot;
        if (list && mode != "list") {
            const char* item = mode == "tempplot" ? "MnuTemp" : "MnupHmV";
            list->findChild<QAction*>(item)->trigger();
            QTest::qWait(300);
            for (const core::Quantity quantity :
                 {core::Quantity::Ph, core::Quantity::Mv, core::Quantity::Temperature})
                if (QWidget* plot = session->plots().findPlot(quantity)) shot = plot;
            if (mode == "plotrange") {
                shot->findChild<QAction*>("MnuLimit")->trigger();
                QTest::qWait(300);
                if (QWidget* dialog = session->plots().findRangeDialog(core::Quantity::Ph))
                    shot = dialog;
            }
        }
    }
    const bool saved = shot->grab().save(argv[1]);
    panel->close();
    meter->stop();
    return saved ? 0 : 1;
}
