// Downloads a full set memory (one logged set filling all 62 KB) through the program's "Multi
// Rec" from the simulated meter paced at 9600 baud, as a real meter sends it. Prints the dump's
// wall time against the line's limit (bytes x 10 bits / 9600 baud), the CPU of the program's
// user-interface thread meanwhile, and the time to decode and list the set once it is chosen.
// Usage: bench_set_download   (takes a little over a minute)
#include <sys/resource.h>

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <cstdio>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "bench_support.h"
#include "core/set_memory.h"
#include "files/data_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "memory/memory.h"
#include "memory/memory_window.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "sim/meter_model.h"

namespace {

using Clock = std::chrono::steady_clock;

// Times the user-interface thread went to sleep and was woken again.
long wakeUps() {
    rusage usage{};
    getrusage(RUSAGE_THREAD, &usage);
    return usage.ru_nvcsw;
}

QComboBox* setList(app::Session& session) {
    memory::MemoryWindow* window = session.memory().find();
    return window ? window->findChild<QComboBox*>("Combo1") : nullptr;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const std::unique_ptr<sim::MeterSim> meter = app::StartSimulatedMeter({});
    if (!meter) return 1;
    const std::size_t used = meter->withModel([](sim::MeterModel& m) {
        m.clearMemory();
        m.addLoggedSet(bench::fullLoggedSet());
        return core::UsedBytes(m.setMemoryPointer());
    });
    const std::unique_ptr<app::Session> session = bench::startPanelOn(*meter);
    if (!session) return 1;
    panel::Panel* panel = session->panel();

    meter->clearReceived();
    const double uiCpuBefore = bench::cpuSeconds(RUSAGE_THREAD);
    const double cpuBefore = bench::cpuSeconds(RUSAGE_SELF);
    const long wakeUpsBefore = wakeUps();
    bench::StallWatch stalls;
    stalls.start();
    panel->CmdPmul_Click();
    if (!bench::runEventLoop(
            120000, [&] { return setList(*session) && setList(*session)->count() == 1; })) {
        std::fprintf(stderr, "the set list did not arrive\n");
        return 1;
    }
    const Clock::time_point listed = Clock::now();
    stalls.stop();
    const double uiCpu = bench::cpuSeconds(RUSAGE_THREAD) - uiCpuBefore;
    const double cpu = bench::cpuSeconds(RUSAGE_SELF) - cpuBefore;
    const long wokenUp = wakeUps() - wakeUpsBefore;

    // From the meter's receipt of "L" to the set listed.
    Clock::time_point dumpAsked{};
    for (const sim::MeterSim::ReceivedByte& b : meter->received())
        if (b.value == 0x4C) dumpAsked = b.time;
    const double wall = std::chrono::duration<double>(listed - dumpAsked).count();
    const std::size_t bytes = core::SetDumpSize(used);
    const double limit = static_cast<double>(bytes) * 10 / 9600;

    QComboBox* sets = setList(*session);
    QElapsedTimer listing;
    listing.start();
    sets->setCurrentIndex(0);
    emit sets->activated(0);
    const double listMs = listing.nsecsElapsed() / 1e6;
    files::DataList* list = session->files().findDataList();
    const int rows = list ? list->grid()->rows() - 1 : 0;

    std::printf("set dump: %zu bytes (%zu in use) at 9600 baud\n", bytes, used);
    std::printf("line limit %.2f s, dump to list %.2f s: %+.2f %% over the limit\n", limit, wall,
                100.0 * (wall - limit) / limit);
    std::printf(
        "cpu during the download, program's user-interface thread: %.3f s = %.2f %% of "
        "one core\n",
        uiCpu, 100.0 * uiCpu / wall);
    std::printf(
        "  the thread woke %ld times, %.2f per byte received (the simulated meter hands the "
        "bytes over in groups of up to 14, as a UART's receive FIFO does)\n",
        wokenUp, static_cast<double>(wokenUp) / static_cast<double>(bytes));
    std::printf(
        "cpu during the download, whole process (with the simulated meter): %.3f s = "
        "%.2f %%\n",
        cpu, 100.0 * cpu / wall);
    std::printf("longest stall of the user-interface thread during the download: %.1f ms\n",
                stalls.longestMs());
    std::printf("choosing the set: decoded and listed %d records in %.1f ms\n", rows, listMs);
    panel->close();
    meter->stop();
    return 0;
}
