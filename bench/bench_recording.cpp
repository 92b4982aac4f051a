// A recording at interval 1 with the live list and both live graphs open, against the simulated
// meter (paced at 9600 baud, as with --demo): CPU use of the program, the longest stall of the
// window thread (and the longest disk sync, done off that thread), then the memory taken per
// 10 000 samples with the live list open and the cost of a sample as the list grows.
// Usage: bench_recording [SECONDS] [SAMPLES] [FOLDER]   (default 600, 20000, the temp folder)
#include <sys/resource.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "bench_support.h"
#include "files/files.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "recording/recorder.h"
#include "recording/recording_writer.h"
#include "ui/dialogs.h"
#include "ui/pc_clock.h"

namespace {

// CPU seconds of the thread named `name` (the simulated meter's "meter-sim", the recording's
// "recording-file").
double threadCpuSeconds(const QByteArray& name) {
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString& task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != name) continue;
        QFile stat(tasks.filePath(task + QStringLiteral("/stat")));
        if (!stat.open(QIODevice::ReadOnly)) return 0;
        // Fields after the command's closing parenthesis; utime and stime are the 12th and 13th.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        if (fields.size() < 13) return 0;
        return double(fields[11].toLong() + fields[12].toLong()) / sysconf(_SC_CLK_TCK);
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 600;
    const int samples = argc > 2 ? std::max(1000, std::atoi(argv[2])) : 20000;
    QTemporaryDir dir(argc > 3 ? QDir(QString::fromLocal8Bit(argv[3])).filePath("benchXXXXXX")
                               : QDir::temp().filePath("benchXXXXXX"));
    bench::RecordingDialogs dialogs;
    dialogs.file = dir.filePath("recording.dat");
    ui::setDialogs(&dialogs);

    const std::unique_ptr<sim::MeterSim> meter = app::StartSimulatedMeter({});
    if (!meter) return 1;
    const std::unique_ptr<app::Session> session = bench::startPanelOn(*meter);
    if (!session) return 1;
    panel::Panel* panel = session->panel();
    for (const char* button : {"CmdPSample", "CmdPlist", "CmdPpHG", "CmdPtempG", "CmdPsavestop"})
        panel->button(button)->click();
    recording::RecordingWriter* writer = session->recorder().writer();

    bench::StallWatch stalls;

    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    const double uiCpuBefore = bench::cpuSeconds(RUSAGE_THREAD);
    const double simCpuBefore = threadCpuSeconds("meter-sim");
    const double writerCpuBefore = threadCpuSeconds("recording-file");
    QElapsedTimer clock;
    clock.start();
    stalls.start();
    bench::runEventLoop(seconds * 1000);
    stalls.stop();
    const double wall = clock.nsecsElapsed() / 1e9;
    const double cpu = bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const double uiCpu = bench::cpuSeconds(RUSAGE_THREAD) - uiCpuBefore;
    const double simCpu = threadCpuSeconds("meter-sim") - simCpuBefore;
    const double writerCpu = threadCpuSeconds("recording-file") - writerCpuBefore;
    const recording::RecordingWriter::Figures figures = writer->figures();
    const QString count = panel->controls().LblCount->text();

    std::printf("recording at interval 1 with the live list and both graphs, %.1f s\n", wall);
    std::printf("lines recorded: %s; disk syncs: %ld, longest %.2f ms (on the writer thread)\n",
                qPrintable(count.trimmed()), figures.syncs, figures.longestSyncMs);
    std::printf("cpu, whole process (program and simulated meter): %.2f s = %.2f %% of one core\n",
                cpu, 100.0 * cpu / wall);
    std::printf("cpu, the program without the simulated meter's thread: %.2f s = %.3f %%\n",
                cpu - simCpu, 100.0 * (cpu - simCpu) / wall);
    std::printf("cpu, window thread: %.2f s = %.3f %%; recording file thread: %.2f s = %.3f %%\n",
                uiCpu, 100.0 * uiCpu / wall, writerCpu, 100.0 * writerCpu / wall);
    std::printf("longest stall of the window thread (a 100 ms timer firing late): %.1f ms\n",
                stalls.longestMs());

    // Memory and the cost of a sample as the live list grows: samples driven as fast as the
    // window thread takes them (the display poll stopped, so its waits do not interleave), on a
    // PC clock that moves on one second per tick.
    panel->timer1()->stop();
    session->recorder().timer2()->stop();
    QDateTime pcClock = QDateTime::currentDateTime();
    ui::setPcClock([&pcClock] { return pcClock; });
    const auto drive = [&](int n) {
        const double before = bench::cpuSeconds(RUSAGE_THREAD);
        for (int i = 0; i < n; ++i) {
            pcClock = pcClock.addSecs(1);
            emit session->recorder().sampleTick();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        return (bench::cpuSeconds(RUSAGE_THREAD) - before) / n * 1000;
    };
    const double earlyMs = drive(1000);
    const long rowsBefore = session->files().findRealTimeList()->grid()->rows();
    const long before = bench::residentBytes();
    drive(samples);
    (void)writer->waitUntilSettled(10000);
    const long after = bench::residentBytes();
    const long rows = session->files().findRealTimeList()->grid()->rows() - rowsBefore;
    const double lateMs = drive(1000);
    std::printf(
        "memory: %d samples (%ld live list rows) grew the resident set by %.0f kB = "
        "%.0f kB per 10 000 samples\n",
        samples, rows, (after - before) / 1024.0, (after - before) / 1024.0 * 10000.0 / samples);
    std::printf("window-thread cpu per sample: %.2f ms with 1 000 rows listed, %.2f ms with %d\n",
                earlyMs, lateMs, session->files().findRealTimeList()->grid()->rows() - 1);

    panel->close();
    ui::setPcClock(nullptr);
    meter->stop();
    return 0;
}
