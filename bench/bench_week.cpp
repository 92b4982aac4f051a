// A simulated week of a recording at interval 1: 604 800 sampling ticks with both live graphs
// open and the recording writer writing a real file, the PC clock stepped one second a tick by
// the benchmark instead of waiting for it. The meter's reading is set in the readout directly
// (the display poll is stopped once the panel has shown a first frame). Prints, every simulated
// day the time per sample (wall and window-thread CPU), the resident memory, the file's size and
// the turns of the event loop so far spent letting the writer catch up.
// Usage: bench_week [DAYS] [BATCH] [FOLDER]   (default 7 days, 10 ticks between two turns of the
// event loop, the temp folder)
#include <sys/resource.h>

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "bench_support.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"
#include "recording/live_graphs.h"
#include "recording/recorder.h"
#include "recording/recording_writer.h"
#include "recording/sampler.h"
#include "ui/dialogs.h"
#include "ui/pc_clock.h"

namespace {

constexpr long kDaySeconds = 86400;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int days = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const int batch = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;
    QTemporaryDir dir(argc > 3 ? QDir(QString::fromLocal8Bit(argv[3])).filePath("benchXXXXXX")
                               : QDir::temp().filePath("benchXXXXXX"));
    bench::RecordingDialogs dialogs;
    dialogs.file = dir.filePath("week.dat");
    ui::setDialogs(&dialogs);

    const std::unique_ptr<sim::MeterSim> meter = app::StartSimulatedMeter({});
    if (!meter) return 1;
    const std::unique_ptr<app::Session> session = bench::startPanelOn(*meter);
    if (!session) return 1;
    panel::Panel* panel = session->panel();
    // From here on the benchmark is the meter and the clock: no poll, no sampling timer.
    panel->timer1()->stop();
    session->recorder().timer2()->stop();
    QTest::qWait(600);  // a poll still on the line finishes

    QDateTime now(QDate(2026, 1, 5), QTime(0, 0, 0));
    ui::setPcClock([&now] { return now; });
    for (const char* button : {"CmdPSample", "CmdPpHG", "CmdPtempG", "CmdPsavestop"})
        panel->button(button)->click();
    recording::RecordingWriter* writer = session->recorder().writer();
    recording::Sampler* sampler = panel->findChild<recording::Sampler*>();

    const long total = days * kDaySeconds;
    long tick = 0;
    meter::ReadoutState& readout = session->readout().mutableState();
    const int pollTick = readout.PollTick;
    // One sampling tick: the clock a second on, a fresh reading (pH drifting over the hours,
    // temperature over the day), the sampler's tick.
    const auto sampleOnce = [&] {
        now = now.addSecs(1);
        const double t = double(tick);
        const QString ph =
            QString::number(7.0 + 1.5 * std::sin(t / 5400) + 0.01 * (tick % 7), 'f', 2);
        const QString temperature = QString::number(22.0 + 4.0 * std::sin(t / 13751), 'f', 1);
        readout.Display.LblUpValue = ph.toStdString();
        readout.Display.LblDownLeftValue = temperature.toStdString();
        // The values beside the captions, as the render writes them: the graphs draw these.
        readout.Display.Shown.upper = core::ShownNumber(ph.toDouble());
        readout.Display.Shown.temperature = core::ShownNumber(temperature.toDouble());
        readout.PollTick = readout.RenderedTick = pollTick + int(tick % 1000000);
        sampler->Timer2_Timer();
        ++tick;
    };

    std::printf(
        "a simulated week at interval 1, both live graphs, %d ticks per turn of the "
        "event loop\n",
        batch);
    std::printf("%4s %10s %12s %12s %10s %10s %12s\n", "day", "samples", "wall us/smp",
                "ui cpu us/smp", "rss MB", "file MB", "writer waits");
    QElapsedTimer wall;
    wall.start();
    double uiCpuDay = bench::cpuSeconds(RUSAGE_THREAD);
    qint64 wallDay = wall.nsecsElapsed();
    QTimer driver;
    // The lines the writer reports written; the driver lets the writer catch up (turns of the
    // event loop without a tick) while it is more than a simulated hour behind.
    long written = 0;
    long turnsWaited = 0;
    QObject::connect(writer, &recording::RecordingWriter::lineWritten, writer,
                     [&written](quint64, long number) { written = number; });
    QObject::connect(&driver, &QTimer::timeout, [&] {
        if (tick - written > 3600) {
            ++turnsWaited;
            return;
        }
        for (int i = 0; i < batch && tick < total; ++i) {
            sampleOnce();
            if (tick % kDaySeconds != 0) continue;
            const double uiCpu = bench::cpuSeconds(RUSAGE_THREAD);
            const qint64 w = wall.nsecsElapsed();
            std::printf("%4ld %10ld %12.1f %12.1f %10.1f %10.1f %12ld\n", tick / kDaySeconds, tick,
                        double(w - wallDay) / 1e3 / kDaySeconds,
                        (uiCpu - uiCpuDay) * 1e6 / kDaySeconds, bench::residentBytes() / 1048576.0,
                        QFileInfo(dialogs.file).size() / 1048576.0, turnsWaited);
            std::fflush(stdout);
            uiCpuDay = uiCpu;
            wallDay = w;
        }
        if (tick < total) return;
        driver.stop();
        const double seconds = wall.nsecsElapsed() / 1e9;
        (void)writer->waitUntilSettled(30000);
        QCoreApplication::sendPostedEvents();  // the last lines' reports reach the count
        const QString count = panel->controls().LblCount->text().trimmed();
        panel->button("CmdPsavestop")->click();
        (void)writer->waitUntilSettled(30000);
        QFile file(dialogs.file);
        long lines = 0;
        if (file.open(QIODevice::ReadOnly)) lines = file.readAll().count('\n');
        std::printf("%ld samples in %.1f s; the panel counted %s lines, the file holds %ld\n", tick,
                    seconds, qPrintable(count), lines);
        panel->close();  // ends the event loop
    });
    driver.start(0);
    QApplication::exec();
    meter->stop();
    return 0;
}
