#include "core/single_records.h"

#include <algorithm>
#include <string>

#include "core/text_rules.h"

namespace core {

namespace {

constexpr std::uint8_t kDashDigit = 0x0F;

// Digits of the bytes at `first` ... `first + 3`, most significant (the last) first.
std::string digitText(SingleRecordBytes r, std::size_t first) {
    const auto digits = r.subspan(first, 4);
    if (std::all_of(digits.begin(), digits.end(), [](std::uint8_t d) { return d == kDashDigit; }))
        return "FFFF";
    std::string text;
    for (std::size_t i = 4; i-- > 0;) text += DecimalText(digits[i]);
    return text;
}

}  // namespace

RecordRow DecodeSingleRecord(SingleRecordBytes r, long long number, StoredRecordState& state) {
    StoredRecordFields f;
    f.number = number;
    f.date = Hex2(r[10]) + "/" + Hex2(r[11]) + "/" + Hex2(r[12]);
    f.time = Hex2(r[13]) + ":" + Hex2(r[14]) + ":" + Hex2(r[15]);
    f.statusA = r[8];
    f.statusB = r[9];
    f.valueDigits = digitText(r, 0);
    f.tempDigits = digitText(r, 4);
    return DecodeStoredRecord(f, state);
}

std::size_t SingleDumpSize(std::size_t count) {
    return count * protocol::kSingleRecordSize;
}

std::size_t CompleteSingleRecords(std::size_t byteCount) {
    return byteCount / protocol::kSingleRecordSize;
}

std::vector<RecordRow> DecodeSingleDump(std::span<const std::uint8_t> dump, std::size_t announced) {
    const std::size_t count = std::min(announced, CompleteSingleRecords(dump.size()));
    std::vector<RecordRow> rows;
    rows.reserve(count);
    StoredRecordState state;
    for (std::size_t i = 0; i < count; ++i) {
        const auto record =
            dump.subspan(i * protocol::kSingleRecordSize).first<protocol::kSingleRecordSize>();
        rows.push_back(DecodeSingleRecord(record, static_cast<long long>(i + 1), state));
    }
    return rows;
}

}  // namespace core
