// The single-record dump: two bytes of announced record count (low byte first), then the dump.
// Every listed row must be the record that its bytes encode: the row count, the numbering, the
// date and time as the meter's BCD texts, the value reading back to its digits, the nine cells.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "contracts.h"
#include "core/protocol.h"
#include "core/single_records.h"
#include "core/text_rules.h"

namespace {

// The digit text of four digit bytes, most significant (the last) first; four dash bytes are
// the meter's "FFFF".
std::string digitText(const std::uint8_t* bytes) {
    if (std::all_of(bytes, bytes + 4, [](std::uint8_t b) { return b == 0x0F; })) return "FFFF";
    std::string text;
    for (int i = 3; i >= 0; --i) text += std::to_string(bytes[i]);
    return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using contracts::require;
    if (size < 2) return 0;
    const std::size_t announced = data[0] | std::size_t(data[1]) << 8;
    const std::span<const std::uint8_t> dump(data + 2, size - 2);
    constexpr std::size_t kSize = core::protocol::kSingleRecordSize;

    const std::size_t complete = core::CompleteSingleRecords(dump.size());
    require(core::SingleDumpSize(complete) <= dump.size() &&
            dump.size() < core::SingleDumpSize(complete + 1));
    const auto rows = core::DecodeSingleDump(dump, announced);
    require(rows.size() == std::min(announced, complete));

    contracts::ExpectedCells carried;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::uint8_t* r = dump.data() + i * kSize;
        const core::RecordRow& row = rows[i];
        contracts::requireNineCells(row);
        require(row.cells[0] == std::to_string(i + 1));
        require(row.cells[1] ==
                core::Hex2(r[10]) + "/" + core::Hex2(r[11]) + "/" + core::Hex2(r[12]));
        require(row.cells[2] ==
                core::Hex2(r[13]) + ":" + core::Hex2(r[14]) + ":" + core::Hex2(r[15]));
        contracts::requireRecordCells(row, r[8], r[9], digitText(r), digitText(r + 4), carried);
    }
    // The rows as a grid's texts: the same cells again.
    const core::RowTexts texts = core::ToRowTexts(rows);
    require(texts.size() == rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i)
        require(core::RecordRow::fromTabText(texts.row(i)) == rows[i]);
    return 0;
}
