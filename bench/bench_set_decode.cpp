// Times listing the largest logged set the meter can hold: one set filling the set memory
// (about 10 600 records), dumped by the simulated meter, then split, its list entry built,
// its records decoded into rows and formatted as grid row texts by the core functions.
// Prints the best of several runs for each stage.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "bench_support.h"
#include "core/record_row.h"
#include "core/set_memory.h"
#include "core/set_records.h"
#include "core/stored_record.h"
#include "sim/meter_model.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 7;

// The largest set addLoggedSet accepts: header and records just below the memory's end.
sim::MeterModel fullMeter() {
    sim::MeterModel meter;
    if (!meter.addLoggedSet(bench::fullLoggedSet())) std::fprintf(stderr, "the set does not fit\n");
    return meter;
}

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main() {
    sim::MeterModel meter = fullMeter();
    const std::vector<std::uint8_t> dump = meter.setDump();
    const std::size_t used = core::UsedBytes(meter.setMemoryPointer());

    double split = 1e300, item = 1e300, decode = 1e300, format = 1e300;
    std::size_t rows = 0, bytes = 0;
    for (int run = 0; run < kRuns; ++run) {
        auto start = Clock::now();
        const core::SetDumpSplit sets = core::SplitSetDump(dump, used);
        split = std::min(split, millisecondsSince(start));
        if (sets.sets.size() != 1) return 1;

        start = Clock::now();
        const std::string entry = core::SetItemText(1, sets.sets[0]);
        item = std::min(item, millisecondsSince(start));

        start = Clock::now();
        const std::vector<core::RecordRow> decoded = core::DecodeSetRecords(sets.sets[0]);
        decode = std::min(decode, millisecondsSince(start));

        start = Clock::now();
        const core::RowTexts texts = core::ToRowTexts(decoded);
        format = std::min(format, millisecondsSince(start));
        rows = texts.size();
        bytes = texts.byteSize();
    }
    std::printf("%-28s %9zu bytes, %zu records\n", "set memory used", used, rows);
    std::printf("%-28s %9.3f ms\n", "split dump", split);
    std::printf("%-28s %9.3f ms\n", "list entry", item);
    std::printf("%-28s %9.3f ms\n", "decode records into rows", decode);
    std::printf("%-28s %9.3f ms  (%.1f KB of row text)\n", "format grid row texts", format,
                static_cast<double>(bytes) / 1024);
    std::printf("%-28s %9.3f ms  (best of %d runs)\n", "total", split + item + decode + format,
                kRuns);
    return 0;
}
