#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace core {

// Number of cells of a record row and of columns of every record grid.
inline constexpr std::size_t kRecordCells = 9;

// Header texts of the record grids, column 0 to 8 (row 0 of every grid).
extern const std::array<std::string_view, kRecordCells> kRecordHeaderTexts;
// Template texts whose width, measured in the window's font, gives each column's width.
extern const std::array<std::string_view, kRecordCells> kRecordWidthTemplates;

// One record: record number, date, time, value, unit, temperature, temperature unit,
// compensation and battery ("Low" or empty). Every cell is opaque text.
struct RecordRow {
    std::array<std::string, kRecordCells> cells;

    // Cells from a TAB-separated text: pieces fill cells 0, 1, ...; pieces beyond the ninth are
    // dropped and missing cells stay empty.
    static RecordRow fromTabText(std::string_view text);

    // The row as one TAB-separated text for a grid's add-row: cells 0 to 7 joined by TABs, then a
    // TAB and the battery cell only when that cell is not empty.
    std::string tabText() const;
    // The list-file line: a quotation mark, each of the nine cells followed by a TAB, a quotation
    // mark, CR LF. Cells are written as they are.
    std::string listFileLine() const;
    // The recording-file line: cells 0 to 7 joined by TABs (no battery cell), CR LF.
    std::string recordingFileLine() const;

    bool operator==(const RecordRow&) const = default;
};

// Record number as plain decimal without leading zeros.
std::string recordNumberText(long long number);
// "yy/mm/dd" with "/" whatever the locale; the year is taken modulo 100.
std::string recordDateText(int year, int month, int day);
// "hh:mm:ss" (24-hour clock) with ":" whatever the locale.
std::string recordTimeText(int hour, int minute, int second);

// The part of a TAB-separated text that fills the nine cells: the text up to its ninth TAB.
std::string_view cutToRecordCells(std::string_view text);
// Cell `column` of a TAB-separated row text; empty when the row has fewer pieces.
std::string_view cellOfRowText(std::string_view rowText, std::size_t column);

// Many rows kept compactly: the TAB-separated texts (each cut to nine cells) back to back in one
// buffer, with where each row begins and how long it is. A million rows cost little more than
// their bytes. Rows may also stay where they lie in a buffer the rows share (a data file's
// bytes, see shareBytes), so that a large file is not copied a second time.
class RowTexts {
  public:
    // Appends one row; the text is cut to its nine cells.
    void append(std::string_view rowText);
    // Appends every row of `other`; rows that `other` keeps in shared bytes stay there when
    // this keeps no other shared bytes, and are copied otherwise.
    void append(const RowTexts& other);
    // From now on rows may be views into `bytes`, which `keeper` keeps alive and unchanged for as
    // long as any copy of these rows holds them.
    void shareBytes(std::string_view bytes, std::shared_ptr<const void> keeper);
    // Appends one row that lies within the shared bytes, as a view of them; cut to nine cells.
    void appendShared(std::string_view rowText);
    // Drops the rows from `count` on.
    void truncate(std::size_t count);
    void clear();
    void reserve(std::size_t rows, std::size_t bytes);

    std::size_t size() const { return pieces_.size(); }
    bool empty() const { return pieces_.empty(); }
    // Bytes held for the rows: the own buffer and the shared bytes.
    std::size_t byteSize() const { return text_.size() + shared_.size(); }
    std::string_view row(std::size_t index) const {
        const Piece& piece = pieces_[index];
        const std::string_view from = piece.begin & kInShared ? shared_ : std::string_view(text_);
        return from.substr(piece.begin & ~kInShared, piece.size);
    }
    std::string_view cell(std::size_t index, std::size_t column) const {
        return cellOfRowText(row(index), column);
    }

  private:
    // Where a row lies: in the own buffer, or (kInShared set) in the shared bytes.
    struct Piece {
        std::size_t begin;
        std::size_t size;
    };
    static constexpr std::size_t kInShared = std::size_t(1) << (sizeof(std::size_t) * 8 - 1);

    std::string text_;
    std::vector<Piece> pieces_;
    std::string_view shared_;
    std::shared_ptr<const void> keeper_;
};

}  // namespace core
