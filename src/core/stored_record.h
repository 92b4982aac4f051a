#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/meter_reading.h"
#include "core/record_row.h"

// What the single-record dump and the logged sets have in common: a stored record becomes a
// RecordRow by the same decoders as the display, but into a reading of the download's own.
namespace core {

// The state one download carries from record to record. `reading` is the download's own
// decoded reading, never the panel's live one, so a sampling tick between a download and the
// next display poll never sees a stored record's units. The value and unit texts are carried
// over when a record has neither pH nor mV set (empty before the first record).
struct StoredRecordState {
    MeterReading reading;
    std::string valueText;
    std::string unitText;
};

// The fields of one stored record, as texts the decoders take.
struct StoredRecordFields {
    long long number = 0;  // cell 0, from 1
    std::string date;      // "yy/mm/dd"
    std::string time;      // "hh:mm:ss"
    std::uint8_t statusA = 0;
    std::uint8_t statusB = 0;
    std::string valueDigits;  // 4 digits; "FFFF" is over range
    std::string tempDigits;   // 4 digits
};

// Value texts of an over-range record: mV by sign, pH always "- . - - -".
inline constexpr std::string_view kOverRangeMvNegative = "- - - - . -";
inline constexpr std::string_view kOverRangeMv = "- - - . -";
inline constexpr std::string_view kOverRangePh = "- . - - -";

// Decodes the status bytes and digit texts into state.reading and returns the record's row:
// number, date, time, value ("000.0" mV, "0.000" pH, dashes when the digits are "FFFF", the
// carried texts when neither unit is set), unit, temperature ("00.0"; digits "FFFF" read as
// 0), "'C"/"'F", "ATC"/"MTC", and "Low" when the battery mark is set.
RecordRow DecodeStoredRecord(const StoredRecordFields& fields, StoredRecordState& state);

// The rows as TAB-separated texts for a record grid.
RowTexts ToRowTexts(const std::vector<RecordRow>& rows);

}  // namespace core
