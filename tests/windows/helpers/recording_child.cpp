// Records into the file named on the command line against a simulated meter, one sample per
// tick of a fast timer that also moves the PC clock on by a second, and prints the panel's count
// ("1", "2", ...) on its own line each time it changes. Run by test_recording_crash, which kills it
// part-way.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <cstdio>

#include "meter/display_poll.h"
#include "recording/recorder.h"
#include "recording/recording_writer.h"
#include "support/fake_dialogs.h"
#include "support/meter_fixture.h"
#include "ui/pc_clock.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc < 2) return 2;
    MeterFixture fixture;
    FakeDialogs dialogs;
    if (!fixture.startPanel()) return 3;
    panel::Panel* panel = fixture.panel();
    if (!MeterFixture::waitFor([&] { return panel->displayPoll()->ticks() >= 1; }, 5000)) return 4;

    // The count is shown once a line is in the file; print it right after the panel shows it.
    recording::Recorder* recorder = &fixture.session()->recorder();
    QObject::connect(recorder->writer(), &recording::RecordingWriter::lineWritten, panel, [panel] {
        std::printf("%s\n", qPrintable(panel->controls().LblCount->text().trimmed()));
        std::fflush(stdout);
    });

    dialogs.inputs.enqueue(QStringLiteral("1"));
    panel->button(QStringLiteral("CmdPSample"))->click();
    dialogs.saveName = QString::fromLocal8Bit(argv[1]);
    panel->button(QStringLiteral("CmdPsavestop"))->click();
    // Sampling ticks every 5 ms, each one a second later on the PC clock.
    recorder->timer2()->stop();
    QDateTime pcClock = QDateTime::currentDateTime();
    ui::setPcClock([&pcClock] { return pcClock; });
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, panel, [&pcClock, recorder] {
        pcClock = pcClock.addSecs(1);
        recorder->Timer2_Timer();
        recorder->timer2()->stop();
    });
    ticks.start(5);
    return application.exec();
}
