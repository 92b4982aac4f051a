#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/record_row.h"

// The records of one logged set as rows, decoded offline from the set's bytes.
namespace core {

// Rows of every complete logged record of `set` (its bytes without the marker, as
// SplitSetDump gives them), numbered from 1: a set of header + 6m bytes gives m rows, a
// trailing partial record and a set without a complete header give none. Each record's time
// is the set's start plus (n - 1) intervals (see AdvanceRecordTime). Value digits are
// Hex2(byte 1) Hex2(byte 0) and temperature digits Hex2(byte 3) Hex2(byte 2), decoded with
// the record's status bytes 4 and 5 into a reading of the listing's own (see
// DecodeStoredRecord): "FFFF" values show dashes, "FFFF" temperatures read as 00.0.
std::vector<RecordRow> DecodeSetRecords(std::span<const std::uint8_t> set);

}  // namespace core
