#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/protocol.h"
#include "core/record_row.h"
#include "core/stored_record.h"

// The single records of the meter's memory: the answer to the single-record dump ("P") is N
// records of protocol::kSingleRecordSize bytes back to back, N announced beforehand by the
// single-record count request.
//
// Record layout: bytes 0-3 the value digits and 4-7 the temperature digits, one decimal digit
// per byte, least significant first; 8 StatusByteA, 9 StatusByteB; 10-12 the date yy mm dd and
// 13-15 the time hh mm ss, BCD.
namespace core {

using SingleRecordBytes = std::span<const std::uint8_t, protocol::kSingleRecordSize>;

// Decodes one record, numbered `number`, into its row (cells 0 to 8). The date and time are
// the BCD bytes through Hex2; each digit byte adds its plain decimal text (a byte of 12 adds
// "12"). Four digit bytes of 0x0F are the meter's dashes and read as the digits "FFFF": an
// over-range value then shows dashes and an over-range temperature reads as 00.0, as in the
// logged sets. See DecodeStoredRecord for the cells; `state` carries the download's reading
// and texts to the next record.
RecordRow DecodeSingleRecord(SingleRecordBytes record, long long number, StoredRecordState& state);

// Bytes of the dump of `count` records.
std::size_t SingleDumpSize(std::size_t count);

// The number of complete records in `byteCount` received bytes.
std::size_t CompleteSingleRecords(std::size_t byteCount);

// Rows of the records of a dump, numbered from 1 in dump order, with a fresh state of their
// own: min(announced, complete records in dump) of them. Bytes beyond the announced records
// are ignored; a trailing partial record is not listed, so a dump that stopped part-way
// gives the records that arrived complete.
std::vector<RecordRow> DecodeSingleDump(std::span<const std::uint8_t> dump, std::size_t announced);

}  // namespace core
