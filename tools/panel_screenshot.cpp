// Saves pictures of the program's windows on the simulated meter, for the README and for
// looking at the program without a screen: panel_screenshot OUT.png [pH|mV|port|alarm|list FILE]
// Runs on any Qt platform (offscreen too).
#include <QApplication>
#include <QTest>

#include "alarm/alarm_dialog.h"
#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "files/list_commands.h"
#include "link/port_window.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
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
        fprintf(stderr, "usage: panel_screenshot OUT.png [pH|mV]\n");
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
    const bool mv = mode == "mV";
    meter->withModel([mv](sim::MeterModel& m) {
        if (mv) m.setMainUnit(sim::MainUnit::Mv);
        return 0;
    });
    panel::Panel* panel = app::StartPanel(1);
    if (!panel) return 1;
    (void)QTest::qWaitFor([&] { return panel->displayPoll()->ticks() >= 4; }, 10000);
    QWidget* shot = panel;
    if (mode == "alarm") {
        shot = alarms::AlarmDialog::showDialog(panel);
        QTest::qWait(100);
    } else if (mode == "list" && argc > 3) {
        static OpenDialog dialog;
        dialog.name = argv[3];
        ui::setDialogs(&dialog);
        FileTransfer::OpenDataFile(panel);
        QTest::qWait(200);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "FileList" && w->isVisible()) shot = w;
    }
    const bool saved = shot->grab().save(argv[1]);
    panel->close();
    meter->stop();
    return saved ? 0 : 1;
}
