// The demonstration memory, read back the way the program reads it: the meter's own dumps
// cut and decoded by the program's core functions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/set_memory.h"
#include "core/set_records.h"
#include "core/single_records.h"
#include "sim/demo_memory.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes feed(sim::MeterModel& m, const Bytes& in) {
    return m.feed(in.data(), in.size(), 1.0);
}

sim::MeterModel demoMeter() {
    sim::MeterModel m;
    sim::fillDemoMemory(m, sim::DateTime{2024, 3, 1, 10, 0, 0});
    return m;
}

TEST(DemoMemory, SingleRecordsDumpAndDecode) {
    sim::MeterModel m = demoMeter();
    const Bytes count = feed(m, {'R', 0x20});
    ASSERT_EQ(count, Bytes{12});
    const auto rows = core::DecodeSingleDump(feed(m, {'P'}), count[0]);
    ASSERT_EQ(rows.size(), 12u);
    std::vector<std::string> values, temperatures, battery;
    for (const core::RecordRow& row : rows) {
        EXPECT_LT(row.cells[1] + row.cells[2],
                  "24/03/01"
                  "10:00:00")
            << "stored before now";
        values.push_back(row.cells[3] + " " + row.cells[4]);
        temperatures.push_back(row.cells[5] + row.cells[6]);
        battery.push_back(row.cells[8]);
    }
    EXPECT_EQ(values,
              (std::vector<std::string>{"7.012 pH", "4.005 pH", "10.012 pH", "215.3 mV",
                                        "-183.7 mV", "6.874 pH", "1024.6 mV", "7.401 pH",
                                        "9.182 pH", "- - - . - mV", "-045.2 mV", "7.000 pH"}));
    EXPECT_EQ(rows[10].cells[5] + rows[10].cells[6], "104.5'F");
    EXPECT_EQ(rows[7].cells[7], "MTC");
    EXPECT_EQ(rows[8].cells[8], "Low");
}

TEST(DemoMemory, SetDumpSplitsIntoTheSetsItHolds) {
    sim::MeterModel m = demoMeter();
    const Bytes pointer = feed(m, {'R', 0x50, 'R', 0x51});
    const size_t used = core::UsedBytes(core::MemoryPointer(pointer[0], pointer[1]));
    EXPECT_EQ(used, m.setMemoryUsed());
    const Bytes dump = feed(m, {'L'});
    EXPECT_EQ(dump.size(), core::SetDumpSize(used));

    const core::SetDumpSplit split = core::SplitSetDump(dump, used);
    EXPECT_FALSE(split.cutShort);
    ASSERT_EQ(split.sets.size(), m.loggedSets().size());
    std::vector<size_t> counts;
    for (const Bytes& set : split.sets) counts.push_back(core::DecodeSetRecords(set).size());
    EXPECT_EQ(counts, (std::vector<size_t>{3, 40, 1, 360, 40}));

    EXPECT_EQ(
        core::SetItemText(1, split.sets[0]),
        "1" + std::string(10, ' ') + "24/02/24-----09:07:00" + std::string(20, ' ') + "3 Records");
    const auto midnight = core::DecodeSetRecords(split.sets[4]);
    EXPECT_EQ(midnight.front().cells[1] + " " + midnight.front().cells[2], "24/02/28 23:45:00");
    EXPECT_EQ(midnight.back().cells[1] + " " + midnight.back().cells[2], "24/02/29 00:24:00");
    EXPECT_EQ(core::DecodeSetRecords(split.sets[3])[200].cells[3], "- . - - -");
}

}  // namespace
