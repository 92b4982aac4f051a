#include "core/set_records.h"

#include "core/protocol.h"
#include "core/record_time.h"
#include "core/stored_record.h"
#include "core/text_rules.h"

namespace core {

namespace {

constexpr std::size_t kIntervalOffset = 6;  // after yy mm dd hh mm ss

}  // namespace

std::vector<RecordRow> DecodeSetRecords(std::span<const std::uint8_t> set) {
    std::vector<RecordRow> rows;
    if (set.size() < protocol::kSetHeaderSize) return rows;
    RecordTime time = RecordTimeFromBcd(set.first<6>());
    const int interval = set[kIntervalOffset];
    const auto records = set.subspan(protocol::kSetHeaderSize);
    const std::size_t count = records.size() / protocol::kLoggedRecordSize;
    rows.reserve(count);

    StoredRecordState state;
    for (std::size_t i = 0; i < count; ++i) {
        const auto r =
            records.subspan(i * protocol::kLoggedRecordSize, protocol::kLoggedRecordSize);
        if (i > 0) AdvanceRecordTime(time, interval);
        StoredRecordFields f;
        f.number = static_cast<long long>(i + 1);
        f.date = recordDateText(time.year, time.month, time.day);
        f.time = recordTimeText(time.hour, time.minute, time.second);
        f.statusA = r[4];
        f.statusB = r[5];
        f.valueDigits = Hex2(r[1]) + Hex2(r[0]);
        f.tempDigits = Hex2(r[3]) + Hex2(r[2]);
        rows.push_back(DecodeStoredRecord(f, state));
    }
    return rows;
}

}  // namespace core
