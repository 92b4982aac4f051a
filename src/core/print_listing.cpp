#include "core/print_listing.h"

namespace core {

const std::string_view kListingHeading1 =
    "          Date       Time       Value   Unit Value  C/F A/T  BAT";
const std::string_view kListingHeading2 =
    "       ----------  --------  ----------- --  -----  --- ---  ---";
const std::array<std::size_t, kRecordCells> kListingFieldWidths = {7, 12, 10, 12, 4, 7, 4, 5, 5};

std::size_t utf8Length(std::string_view text) {
    std::size_t count = 0;
    for (const char ch : text) {
        if ((static_cast<unsigned char>(ch) & 0xC0) != 0x80) ++count;
    }
    return count;
}

std::string listingLine(const RecordRow& row) {
    std::string line;
    for (std::size_t c = 0; c < kRecordCells; ++c) {
        for (const char ch : row.cells[c]) {
            const auto byte = static_cast<unsigned char>(ch);
            line += byte < 0x20 || byte == 0x7F ? ' ' : ch;
        }
        const std::size_t length = utf8Length(row.cells[c]);
        const std::size_t width = kListingFieldWidths[c];
        line.append(length <= width ? width - length : 1, ' ');
    }
    return line;
}

}  // namespace core
