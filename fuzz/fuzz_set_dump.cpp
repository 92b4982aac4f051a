// The set-memory dump: two bytes of used memory (low byte first), then the dump. It is split
// into sets, each set is listed and decoded, and every record's time rebuilt: a listed record
// count equals the decoded count, a decoded date is a real calendar date, each record lies one
// interval after the one before, and the value cells read back to their digits.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "contracts.h"
#include "core/protocol.h"
#include "core/record_time.h"
#include "core/set_memory.h"
#include "core/set_records.h"
#include "core/text_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using contracts::require;
    namespace protocol = core::protocol;
    if (size < 2) return 0;
    const unsigned pointer = protocol::kSetMemoryStart + (data[0] | unsigned(data[1]) << 8);
    const std::size_t used = core::UsedBytes(pointer);
    require(used == std::size_t(data[0] | data[1] << 8));
    require(core::SetDumpSize(used) == used + protocol::kSetDumpTrailer);
    const std::span<const std::uint8_t> dump(data + 2, size - 2);
    const int percent = core::SetDumpProgressPercent(dump.size(), used);
    require(percent >= 0 && percent <= 100);

    const core::SetDumpSplit split = core::SplitSetDump(dump, used);
    require(split.cutShort == (dump.size() < used));
    std::size_t setBytes = 0;
    for (std::size_t k = 0; k < split.sets.size(); ++k) {
        const auto& set = split.sets[k];
        setBytes += set.size() + protocol::kSetMarker.size();
        // No set holds a marker.
        require(std::search(set.begin(), set.end(), protocol::kSetMarker.begin(),
                            protocol::kSetMarker.end()) == set.end());

        const auto number = static_cast<long long>(k + 1);
        const std::string item = core::SetItemText(number, set);
        require(core::SetNumberOfItemText(item) == number);
        require(item.size() > 9 && item.substr(item.size() - 8) == " Records");

        const auto rows = core::DecodeSetRecords(set);
        // The listed count (a fraction when a record is cut) is the decoded count, whole part.
        const std::size_t countEnd = item.size() - 8;
        const std::size_t countStart = item.rfind(' ', countEnd - 1) + 1;
        const double listed = core::NumericValue(item.substr(countStart, countEnd - countStart));
        require(static_cast<std::size_t>(listed) == rows.size());

        if (rows.empty()) continue;
        const int interval = set[6];
        // A header that is a real date and time is the first record's, unchanged.
        if (std::all_of(set.begin(), set.begin() + 6,
                        [](std::uint8_t b) { return (b >> 4) <= 9 && (b & 15) <= 9; })) {
            const std::string date =
                core::Hex2(set[0]) + "/" + core::Hex2(set[1]) + "/" + core::Hex2(set[2]);
            const std::string time =
                core::Hex2(set[3]) + ":" + core::Hex2(set[4]) + ":" + core::Hex2(set[5]);
            const int year = set[0] / 16 * 10 + set[0] % 16, month = set[1] / 16 * 10 + set[1] % 16;
            const int day = set[2] / 16 * 10 + set[2] % 16;
            const bool real = month >= 1 && month <= 12 && day >= 1 &&
                              day <= core::DaysInRecordMonth(year, month) && set[3] < 0x24 &&
                              set[4] < 0x60 && set[5] < 0x60;
            if (real) require(rows[0].cells[1] == date && rows[0].cells[2] == time);
        }
        contracts::ExpectedCells carried;
        long long previous = 0;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const core::RecordRow& row = rows[i];
            const std::uint8_t* r = set.data() + protocol::kSetHeaderSize + i * 6;
            contracts::requireNineCells(row);
            require(row.cells[0] == std::to_string(i + 1));
            const long long moment = contracts::requireRealMoment(row);
            if (i > 0) {
                const long long step =
                    (moment - previous + contracts::kCenturySeconds) % contracts::kCenturySeconds;
                require(step == interval);
            }
            previous = moment;
            contracts::requireRecordCells(row, r[4], r[5], core::Hex2(r[1]) + core::Hex2(r[0]),
                                          core::Hex2(r[3]) + core::Hex2(r[2]), carried);
        }
    }
    // The sets and their markers lie within the used part of the dump.
    require(setBytes <= std::min(dump.size(), used));
    return 0;
}
