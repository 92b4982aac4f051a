#include "core/data_file_reader.h"

#include <cstdint>
#include <cstring>

#include "core/byte_scan.h"

namespace core {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';
constexpr char kCr = '\r';
constexpr char kLf = '\n';

bool isItemEnd(char c) {
    return c == kComma || c == kCr || c == kLf;
}

}  // namespace

bool DataFileReader::next(std::string_view& item) {
    const std::size_t size = bytes_.size();
    while (pos_ < size && bytes_[pos_] == ' ') ++pos_;
    if (pos_ >= size) return false;

    if (bytes_[pos_] == kQuote) {
        const std::size_t start = pos_ + 1;
        std::size_t close = bytes_.find(kQuote, start);
        if (close == std::string_view::npos) close = size;
        item = bytes_.substr(start, close - start);
        pos_ = close < size ? close + 1 : size;
        // Anything between the closing mark and the delimiter is not part of any item.
        while (pos_ < size && !isItemEnd(bytes_[pos_])) ++pos_;
    } else {
        const std::size_t start = pos_;
        // Whole words without a delimiter first.
        namespace scan = byte_scan;
        while (pos_ + scan::kWord <= size) {
            const std::uint64_t word = scan::loadWord(bytes_.data() + pos_);
            if (scan::matchingBytes(word, kComma) | scan::matchingBytes(word, kCr) |
                scan::matchingBytes(word, kLf))
                break;
            pos_ += scan::kWord;
        }
        while (pos_ < size && !isItemEnd(bytes_[pos_])) ++pos_;
        item = bytes_.substr(start, pos_ - start);
    }
    skipDelimiter();
    return true;
}

void DataFileReader::skipDelimiter() {
    if (pos_ >= bytes_.size()) return;
    const char c = bytes_[pos_++];
    if (c == kCr && pos_ < bytes_.size() && bytes_[pos_] == kLf) ++pos_;
}

bool isValidUtf8(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // Plain ASCII, eight bytes at a time.
        if (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, sizeof word);
            if ((word & 0x8080808080808080ULL) == 0) {
                p += 8;
                continue;
            }
        }
        const unsigned char lead = *p;
        if (lead < 0x80) {
            ++p;
            continue;
        }
        int extra = 0;
        std::uint32_t code = 0;
        std::uint32_t minimum = 0;
        if ((lead & 0xE0) == 0xC0) {
            extra = 1, code = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2, code = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3, code = lead & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (end - p <= extra) return false;
        for (int i = 1; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80) return false;
            code = (code << 6) | (p[i] & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        p += extra + 1;
    }
    return true;
}

void appendDisplayText(std::string& out, std::string_view bytes) {
    if (isValidUtf8(bytes)) {
        out += bytes;
        return;
    }
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out += ch;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
}

std::string displayText(std::string_view bytes) {
    std::string text;
    appendDisplayText(text, bytes);
    return text;
}

void appendItemRow(RowTexts& rows, std::string_view item, std::string& scratch) {
    // A valid item stays valid when cut at a TAB: the usual row is checked and cut once.
    if (isValidUtf8(item)) {
        rows.append(item);
        return;
    }
    const std::string_view cells = cutToRecordCells(item);
    if (isValidUtf8(cells)) {
        rows.append(cells);
        return;
    }
    scratch.clear();
    appendDisplayText(scratch, cells);
    rows.append(scratch);
}

void appendSharedItemRow(RowTexts& rows, std::string_view item, std::string& scratch) {
    // A valid item stays valid when cut at a TAB: the usual row is checked and cut in one pass
    // each, over the item as it stands.
    if (isValidUtf8(item)) {
        rows.appendShared(item);
        return;
    }
    const std::string_view cells = cutToRecordCells(item);
    if (isValidUtf8(cells)) {
        rows.appendShared(cells);
        return;
    }
    scratch.clear();
    appendDisplayText(scratch, cells);
    rows.append(scratch);
}

RowTexts readDataFile(std::string_view bytes) {
    RowTexts rows;
    rows.reserve(0, bytes.size());
    DataFileReader reader(bytes);
    std::string_view item;
    std::string scratch;
    while (reader.next(item)) appendItemRow(rows, item, scratch);
    return rows;
}

}  // namespace core
