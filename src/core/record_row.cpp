#include "core/record_row.h"

#include <cstdio>

#include "core/byte_scan.h"

namespace core {

const std::array<std::string_view, kRecordCells> kRecordHeaderTexts = {
    "", "     Date", "    Time", " Values ", "Unit", "  Temp", " C/F ", " A/M ", "   Bt "};

const std::array<std::string_view, kRecordCells> kRecordWidthTemplates = {
    "ASTARTA",  " 000-00-00000  ", "00:00:00.00 ", "ABCEEF ", " ASDF ",
    " ATempA ", " AC/AF ",         " AA/MA ",      "  ABtA  "};

namespace {

constexpr char kTab = '\t';
constexpr std::string_view kLineEnd = "\r\n";
// Cells written to a recording file: all but the battery cell.
constexpr std::size_t kRecordingCells = kRecordCells - 1;

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

std::string joinCells(const RecordRow& row, std::size_t count) {
    std::string text;
    for (std::size_t c = 0; c < count; ++c) {
        if (c > 0) text += kTab;
        text += row.cells[c];
    }
    return text;
}

}  // namespace

RecordRow RecordRow::fromTabText(std::string_view text) {
    RecordRow row;
    for (std::size_t c = 0; c < kRecordCells; ++c) row.cells[c] = cellOfRowText(text, c);
    return row;
}

std::string RecordRow::tabText() const {
    std::string text = joinCells(*this, kRecordingCells);
    if (!cells[kRecordCells - 1].empty()) {
        text += kTab;
        text += cells[kRecordCells - 1];
    }
    return text;
}

std::string RecordRow::listFileLine() const {
    std::string line = "\"";
    for (const std::string& cell : cells) {
        line += cell;
        line += kTab;
    }
    line += '"';
    line += kLineEnd;
    return line;
}

std::string RecordRow::recordingFileLine() const {
    return joinCells(*this, kRecordingCells) + std::string(kLineEnd);
}

std::string recordNumberText(long long number) {
    return std::to_string(number);
}

std::string recordDateText(int year, int month, int day) {
    const int yy = ((year % 100) + 100) % 100;
    return twoDigits(yy) + "/" + twoDigits(month) + "/" + twoDigits(day);
}

std::string recordTimeText(int hour, int minute, int second) {
    return twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

std::string_view cutToRecordCells(std::string_view text) {
    std::size_t tabs = 0;
    std::size_t i = 0;
    // Whole words while the ninth TAB lies beyond them, then byte by byte.
    for (; i + byte_scan::kWord <= text.size(); i += byte_scan::kWord) {
        const std::size_t inWord = byte_scan::markedCount(
            byte_scan::matchingBytes(byte_scan::loadWord(text.data() + i), kTab));
        if (tabs + inWord >= kRecordCells) break;
        tabs += inWord;
    }
    for (; i < text.size(); ++i) {
        if (text[i] == kTab && ++tabs == kRecordCells) return text.substr(0, i);
    }
    return text;
}

std::string_view cellOfRowText(std::string_view rowText, std::size_t column) {
    std::size_t start = 0;
    for (std::size_t c = 0; c < column; ++c) {
        const std::size_t tab = rowText.find(kTab, start);
        if (tab == std::string_view::npos) return {};
        start = tab + 1;
    }
    if (column >= kRecordCells) return {};
    const std::size_t end = rowText.find(kTab, start);
    return rowText.substr(start,
                          end == std::string_view::npos ? std::string_view::npos : end - start);
}

void RowTexts::append(std::string_view rowText) {
    const std::string_view cells = cutToRecordCells(rowText);
    pieces_.push_back({text_.size(), cells.size()});
    text_ += cells;
}

void RowTexts::append(const RowTexts& other) {
    const bool sameShared = other.shared_.data() == shared_.data() || shared_.empty();
    if (sameShared && !other.shared_.empty()) {
        shared_ = other.shared_;
        keeper_ = other.keeper_;
    }
    const std::size_t base = text_.size();
    text_ += other.text_;
    pieces_.reserve(pieces_.size() + other.pieces_.size());
    for (std::size_t r = 0; r < other.pieces_.size(); ++r) {
        const Piece piece = other.pieces_[r];
        if (!(piece.begin & kInShared)) {
            pieces_.push_back({base + piece.begin, piece.size});
        } else if (sameShared) {
            pieces_.push_back(piece);
        } else {
            pieces_.push_back({text_.size(), piece.size});
            text_ += other.row(r);
        }
    }
}

void RowTexts::shareBytes(std::string_view bytes, std::shared_ptr<const void> keeper) {
    if (shared_.data() == bytes.data() && shared_.size() == bytes.size()) return;
    // Rows in the bytes shared so far move into the own buffer.
    if (!shared_.empty()) {
        for (std::size_t r = 0; r < pieces_.size(); ++r) {
            if (!(pieces_[r].begin & kInShared)) continue;
            const std::string_view text = row(r);
            pieces_[r].begin = text_.size();
            text_ += text;
        }
    }
    shared_ = bytes;
    keeper_ = std::move(keeper);
}

void RowTexts::appendShared(std::string_view rowText) {
    const std::string_view cells = cutToRecordCells(rowText);
    pieces_.push_back({std::size_t(cells.data() - shared_.data()) | kInShared, cells.size()});
}

void RowTexts::truncate(std::size_t count) {
    if (count >= pieces_.size()) return;
    pieces_.resize(count);
    // The own buffer ends with the last own row that stays.
    std::size_t ownEnd = 0;
    for (std::size_t r = count; r-- > 0;) {
        if (!(pieces_[r].begin & kInShared)) {
            ownEnd = pieces_[r].begin + pieces_[r].size;
            break;
        }
    }
    text_.resize(ownEnd);
}

void RowTexts::clear() {
    text_.clear();
    pieces_.clear();
    shared_ = {};
    keeper_.reset();
}

void RowTexts::reserve(std::size_t rows, std::size_t bytes) {
    pieces_.reserve(rows);
    text_.reserve(bytes);
}

}  // namespace core
