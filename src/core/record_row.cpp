#include "core/record_row.h"

#include <cstdio>

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
    for (std::size_t i = 0; i < text.size(); ++i) {
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
    text_ += cutToRecordCells(rowText);
    ends_.push_back(text_.size());
}

void RowTexts::append(const RowTexts& other) {
    const std::size_t base = text_.size();
    text_ += other.text_;
    ends_.reserve(ends_.size() + other.ends_.size());
    for (std::size_t end : other.ends_) ends_.push_back(base + end);
}

void RowTexts::truncate(std::size_t count) {
    if (count >= ends_.size()) return;
    ends_.resize(count);
    text_.resize(count == 0 ? 0 : ends_.back());
}

void RowTexts::clear() {
    text_.clear();
    ends_.clear();
}

void RowTexts::reserve(std::size_t rows, std::size_t bytes) {
    ends_.reserve(rows);
    text_.reserve(bytes);
}

std::string_view RowTexts::row(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(text_).substr(begin, ends_[index] - begin);
}

}  // namespace core
