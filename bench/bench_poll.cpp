// Polls the simulated meter (paced at 9600 baud, as with --demo) through the real panel for a
// while and prints the CPU use of the whole process and the period between poll ticks.
// Usage: bench_poll [SECONDS] [FIFO]   (default 60 s; FIFO: bytes the simulated meter hands
// over at once, default 14, 1 for every byte on its own)
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "bench_support.h"
#include "meter/display_poll.h"
#include "meter/readout.h"
#include "panel/panel.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 60;
    sim::MeterSim::Options options;
    if (argc > 2) options.fifoBytes = static_cast<std::size_t>(std::max(1, atoi(argv[2])));
    const std::unique_ptr<sim::MeterSim> meter = app::StartSimulatedMeter(options);
    if (!meter) return 1;
    const std::unique_ptr<app::Session> session = bench::startPanelOn(*meter);
    if (!session) return 1;
    panel::Panel* panel = session->panel();

    std::vector<double> tickTimes;
    QElapsedTimer clock;
    clock.start();
    int lastTicks = panel->displayPoll()->ticks();
    QObject::connect(&session->readout(), &meter::Readout::rendered, [&] {
        if (panel->displayPoll()->ticks() != lastTicks) {
            lastTicks = panel->displayPoll()->ticks();
            tickTimes.push_back(clock.nsecsElapsed() / 1e6);
        }
    });
    const double cpuBefore = bench::cpuSeconds();
    const double uiCpuBefore = bench::cpuSeconds(RUSAGE_THREAD);
    bench::runEventLoop(seconds * 1000);
    const double cpu = bench::cpuSeconds() - cpuBefore;
    const double uiCpu = bench::cpuSeconds(RUSAGE_THREAD) - uiCpuBefore;
    const double wall = clock.nsecsElapsed() / 1e9;

    std::vector<double> periods;
    for (size_t i = 1; i < tickTimes.size(); ++i)
        periods.push_back(tickTimes[i] - tickTimes[i - 1]);
    std::sort(periods.begin(), periods.end());
    double mean = 0;
    for (double p : periods) mean += p;
    mean /= std::max<size_t>(1, periods.size());
    double var = 0;
    for (double p : periods) var += (p - mean) * (p - mean);
    const double sd = std::sqrt(var / std::max<size_t>(1, periods.size()));
    auto pct = [&](double q) {
        return periods.empty() ? 0.0 : periods[size_t(q * (periods.size() - 1))];
    };
    std::printf("polling for %.1f s (program and simulated meter in one process)\n", wall);
    std::printf("cpu, whole process: %.3f s = %.2f %% of one core\n", cpu, 100.0 * cpu / wall);
    std::printf("cpu, program's user-interface thread (poll, decode, paint): %.3f s = %.2f %%\n",
                uiCpu, 100.0 * uiCpu / wall);
    std::printf(
        "ticks: %zu; period mean %.1f ms, sd %.1f ms, min %.1f, p50 %.1f, p95 %.1f, max %.1f\n",
        tickTimes.size(), mean, sd, pct(0), pct(0.5), pct(0.95), pct(1));
    panel->close();
    meter->stop();
    return 0;
}
