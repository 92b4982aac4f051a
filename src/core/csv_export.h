#pragma once

#include <string>
#include <string_view>

#include "core/record_row.h"

// Record rows as comma-separated values for spreadsheets (RFC 4180, UTF-8, CR LF line ends):
// one header line, then one line per record with the date and time joined in ISO 8601 form,
// the readings as plain numbers and the temperature units with a degree sign.
namespace core {

// The header line's fields, without the line end.
inline constexpr std::string_view kCsvHeader =
    "record,date_time,value,unit,temperature,temperature_unit,compensation,battery";

// Appends `text` as one field: as it is, or enclosed in double quotation marks with each inner
// mark doubled when it holds a comma, a quotation mark, a CR or an LF.
void AppendCsvField(std::string& out, std::string_view text);

// "yy/mm/dd" and "hh:mm:ss" (any one non-digit separator between the fields) as
// "20yy-mm-dd hh:mm:ss". A date or time that is no real one is kept as it is (surrounding
// blanks dropped), so that nothing is lost; the two parts are joined by one space.
std::string CsvDateTime(std::string_view date, std::string_view time);

// A reading cell: a number becomes a plain decimal with a point ("007.0" -> "7.0",
// "-0.000" -> "0.000", "7,04" -> "7.04"); the over-range dashes and blank cells become empty;
// any other text is kept as it is.
std::string CsvNumber(std::string_view text);

// A unit cell: "'C" and "'F" become "°C" and "°F"; any other text is kept.
std::string_view CsvUnit(std::string_view unit);

// Appends the CSV line (CR LF included) of one record given as its TAB-separated row text.
void AppendCsvRecord(std::string& out, std::string_view rowText);

// The header line with its line end.
std::string CsvHeaderLine();

}  // namespace core
