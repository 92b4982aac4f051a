// Checks that the fuzz targets share: the contracts of a decoded record row, worked out again
// from the raw bytes by plain text and integer arithmetic, independently of the decoders. A
// broken contract aborts, which the fuzzer reports with the input.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/meter_reading.h"
#include "core/record_row.h"
#include "core/record_time.h"

namespace contracts {

inline void require(bool holds) {
    if (!holds) std::abort();
}

// A row has nine cells and none holds a TAB or a line end: its TAB text reads back as the row.
inline void requireNineCells(const core::RecordRow& row) {
    for (const std::string& cell : row.cells)
        require(cell.find_first_of("\t\r\n") == std::string::npos);
    const std::string text = row.tabText();
    std::size_t tabs = 0;
    for (char c : text) tabs += c == '\t';
    require(tabs == core::kRecordCells - 1 ||
            (tabs == core::kRecordCells - 2 && row.cells[8].empty()));
    require(core::RecordRow::fromTabText(text) == row);
}

// The leading decimal digits of `text` without leading zeros ("0" when there are none): the
// whole number a digit text stands for.
inline std::string leadingDigits(std::string_view text) {
    std::size_t end = 0;
    while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
    std::string digits(text.substr(0, end));
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

// `digits` (a whole number) divided by 10^decimals as text with at least `wholeDigits` digits
// before the point: ("5", 1, 3) gives "000.5".
inline std::string withPoint(std::string digits, int decimals, int wholeDigits) {
    const std::size_t least = static_cast<std::size_t>(decimals + wholeDigits);
    if (digits.size() < least) digits.insert(0, least - digits.size(), '0');
    digits.insert(digits.size() - static_cast<std::size_t>(decimals), 1, '.');
    return digits;
}

// Adds one in the last place of a text of decimal digits: "199" gives "200", "99" gives "100".
inline void addOneInLastDigit(std::string& digits) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i == 0)
        digits.insert(0, 1, '1');
    else
        ++digits[i - 1];
}

// A digit text rounded to one decimal from two, halves up: "2535" gives "25.4".
inline std::string temperatureText(std::string digits) {
    const bool up = digits.size() >= 1 && digits.back() >= '5';
    digits.pop_back();
    if (digits.empty()) digits = "0";
    if (up) addOneInLastDigit(digits);
    return withPoint(digits, 1, 2);
}

// The cells a stored record must show for its status bytes and digit texts: a formatted value
// reads back to its digits. `carried` holds the value and unit texts of the row before.
struct ExpectedCells {
    std::string value;
    std::string unit;
};
inline void requireRecordCells(const core::RecordRow& row, std::uint8_t a, std::uint8_t b,
                               std::string_view valueDigits, std::string_view tempDigits,
                               ExpectedCells& carried) {
    namespace A = core::StatusByteA;
    namespace B = core::StatusByteB;
    const bool mv = a & A::IsMV, ph = a & A::IsPH, negative = a & A::IsNegative;
    if (valueDigits == "FFFF") {
        if (mv)
            carried = {negative ? "- - - - . -" : "- - - . -", "mV"};
        else if (ph)
            carried = {"- . - - -", "pH"};
    } else if (mv || ph) {
        const std::string digits =
            leadingDigits((b & B::UpperLeadingOne ? "1" : "") + std::string(valueDigits));
        std::string text = mv ? withPoint(digits, 1, 3) : withPoint(digits, 3, 1);
        if (negative && digits != "0") text.insert(0, 1, '-');
        carried = {text, mv ? "mV" : "pH"};
    }
    require(row.cells[3] == carried.value);
    require(row.cells[4] == carried.unit);
    const std::string temp =
        leadingDigits((b & B::LowerLeadingOne ? "1" : "") + std::string(tempDigits));
    require(row.cells[5] == temperatureText(temp == "0" ? "00" : temp));
    require(row.cells[6] == (a & A::IsCelsius ? "'C" : "'F"));
    require(row.cells[7] == (a & A::IsManualTemp ? "MTC" : "ATC"));
    require(row.cells[8] == (b & B::LowBattery ? "Low" : ""));
}

// Two-digit field at `at` of a "aa?bb?cc" text.
inline int field(std::string_view text, std::size_t at) {
    require(text.size() == 8 && text[at] >= '0' && text[at] <= '9' && text[at + 1] >= '0' &&
            text[at + 1] <= '9');
    return (text[at] - '0') * 10 + (text[at + 1] - '0');
}

// Seconds since 00/01/01 00:00:00 of a row's date and time cells, after checking that they are
// a real calendar date ("yy/mm/dd") and time of day ("hh:mm:ss").
inline long long requireRealMoment(const core::RecordRow& row) {
    const std::string& date = row.cells[1];
    const std::string& time = row.cells[2];
    require(date[2] == '/' && date[5] == '/' && time[2] == ':' && time[5] == ':');
    const int year = field(date, 0), month = field(date, 3), day = field(date, 6);
    const int hour = field(time, 0), minute = field(time, 3), second = field(time, 6);
    require(month >= 1 && month <= 12);
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = year % 4 == 0;  // 2000 to 2099
    require(day >= 1 && day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0));
    require(hour < 24 && minute < 60 && second < 60);
    long long days = 365LL * year + (year + 3) / 4;
    for (int m = 1; m < month; ++m) days += kDays[m - 1] + (m == 2 && leap ? 1 : 0);
    days += day - 1;
    return days * 86400 + hour * 3600 + minute * 60 + second;
}

// Seconds in the meter's hundred-year calendar (years 00 to 99 have 25 leap years).
inline constexpr long long kCenturySeconds = 36525LL * 86400;

}  // namespace contracts
