#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/record_row.h"

namespace core {

// The two heading lines of a printed record listing.
extern const std::string_view kListingHeading1;
extern const std::string_view kListingHeading2;
// Field width of each cell in a printed line, in characters; together 66.
extern const std::array<std::size_t, kRecordCells> kListingFieldWidths;

// One printed line of a record: each cell left-aligned and padded with spaces to its field width.
// A cell longer than its field is printed whole, followed by one space so that it stays apart
// from the next field; the line is then wider than 66 characters. Control characters (a line
// end inside a quoted file item, for instance) print as spaces. Widths count UTF-8 characters.
std::string listingLine(const RecordRow& row);

// Number of characters (code points) of a UTF-8 text.
std::size_t utf8Length(std::string_view text);

}  // namespace core
