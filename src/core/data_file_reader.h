#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/record_row.h"

namespace core {

// Splits the bytes of a data file into items, one grid row each:
// - spaces (0x20) before an item are skipped;
// - an item that begins with a quotation mark runs to the next quotation mark (both marks
//   removed; commas, TABs, spaces and line ends between them belong to the item); whatever
//   follows the closing mark up to the next comma or line end is dropped with that delimiter;
// - any other item runs up to the next comma or line end, which is consumed.
// A line end is CR LF, LF or CR alone; the last line needs none. Any bytes are accepted.
class DataFileReader {
  public:
    explicit DataFileReader(std::string_view bytes) : bytes_(bytes) {}

    // The next item's raw bytes (a view into the buffer); false at the end of the data.
    bool next(std::string_view& item);
    // Bytes consumed so far.
    std::size_t position() const { return pos_; }

  private:
    void skipDelimiter();

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// True when `bytes` is well-formed UTF-8 (no overlong forms, surrogates or values past U+10FFFF).
bool isValidUtf8(std::string_view bytes);
// Appends `bytes` to `out` as UTF-8: unchanged when they are valid UTF-8, otherwise each byte
// taken as a Latin-1 character, so that every byte of a file stays visible.
void appendDisplayText(std::string& out, std::string_view bytes);
std::string displayText(std::string_view bytes);

// Adds the grid row of one item: cut to nine cells, as display text. `scratch` is working space.
void appendItemRow(RowTexts& rows, std::string_view item, std::string& scratch);

// The same for rows that share the data file's bytes (RowTexts::shareBytes): a row that is
// valid UTF-8 stays a view into them, any other is copied as display text.
void appendSharedItemRow(RowTexts& rows, std::string_view item, std::string& scratch);

// Reads a whole data file: one row per item, each cut to nine cells, as display text.
RowTexts readDataFile(std::string_view bytes);

}  // namespace core
