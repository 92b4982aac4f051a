#include "core/csv_export.h"

#include <array>
#include <optional>

#include "core/text_rules.h"

namespace core {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    return text;
}

// Three two-digit fields separated by single non-digit characters: "24/03/14", "09:00:00".
std::optional<std::array<int, 3>> threeFields(std::string_view text) {
    if (text.size() != 8 || isDigit(text[2]) || isDigit(text[5])) return std::nullopt;
    std::array<int, 3> fields{};
    for (std::size_t f = 0; f < 3; ++f) {
        const char high = text[f * 3];
        const char low = text[f * 3 + 1];
        if (!isDigit(high) || !isDigit(low)) return std::nullopt;
        fields[f] = (high - '0') * 10 + (low - '0');
    }
    return fields;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month == 2 && year % 4 == 0) return 29;  // 2000 to 2099: every fourth year
    return kDays[month - 1];
}

void appendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10);
    out += static_cast<char>('0' + value % 10);
}

// Appends "20yy-mm-dd" when `date` is a real date; false (nothing appended) otherwise.
bool appendIsoDate(std::string& out, std::string_view date) {
    const auto fields = threeFields(date);
    if (!fields) return false;
    const auto [year, month, day] = *fields;
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return false;
    out += "20";
    appendTwoDigits(out, year);
    out += '-';
    appendTwoDigits(out, month);
    out += '-';
    appendTwoDigits(out, day);
    return true;
}

// Appends "hh:mm:ss" when `time` is a real time of day; false (nothing appended) otherwise.
bool appendIsoTime(std::string& out, std::string_view time) {
    const auto fields = threeFields(time);
    if (!fields) return false;
    const auto [hour, minute, second] = *fields;
    if (hour > 23 || minute > 59 || second > 59) return false;
    appendTwoDigits(out, hour);
    out += ':';
    appendTwoDigits(out, minute);
    out += ':';
    appendTwoDigits(out, second);
    return true;
}

// Appends a number of the form [sign] digits [point digits], with "." or "," as the point, as a
// plain decimal: no "+", no leading zeros, no sign on zero. False (nothing appended) for any
// other text.
bool appendPlainNumber(std::string& out, std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    std::string_view whole = text.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (i != text.size() || whole.size() + fraction.size() == 0) return false;

    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    const bool zero = whole.find_first_not_of('0') == std::string_view::npos &&
                      fraction.find_first_not_of('0') == std::string_view::npos;
    if (negative && !zero) out += '-';
    out += whole.empty() ? std::string_view("0") : whole;
    if (!fraction.empty()) {
        out += '.';
        out += fraction;
    }
    return true;
}

// The reading field: nothing for dashes and blanks, a plain number, else the text.
void appendReading(std::string& out, std::string_view text) {
    text = trimmed(text);
    if (text.empty() || IsDashText(text) || appendPlainNumber(out, text)) return;
    AppendCsvField(out, text);
}

}  // namespace

void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

std::string CsvDateTime(std::string_view date, std::string_view time) {
    date = trimmed(date);
    time = trimmed(time);
    std::string out;
    if (!appendIsoDate(out, date)) out = date;
    if (!out.empty() && !time.empty()) out += ' ';
    if (!appendIsoTime(out, time)) out += time;
    return out;
}

std::string CsvNumber(std::string_view text) {
    text = trimmed(text);
    std::string out;
    if (text.empty() || IsDashText(text) || appendPlainNumber(out, text)) return out;
    return std::string(text);
}

std::string_view CsvUnit(std::string_view unit) {
    if (unit == "'C")
        return "\xC2\xB0"
               "C";  // U+00B0 DEGREE SIGN in UTF-8
    if (unit == "'F")
        return "\xC2\xB0"
               "F";
    return unit;
}

void AppendCsvRecord(std::string& out, std::string_view rowText) {
    // The nine cells in one pass over the row.
    std::array<std::string_view, kRecordCells> cells{};
    rowText = cutToRecordCells(rowText);
    for (std::size_t c = 0; c < kRecordCells && !rowText.empty(); ++c) {
        const std::size_t tab = rowText.find('\t');
        cells[c] = rowText.substr(0, tab);
        rowText = tab == std::string_view::npos ? std::string_view() : rowText.substr(tab + 1);
    }

    AppendCsvField(out, cells[0]);
    out += ',';
    // A real date and time need no quoting; anything else goes through the field rules.
    const std::size_t dateTimeStart = out.size();
    const std::string_view date = trimmed(cells[1]);
    const std::string_view time = trimmed(cells[2]);
    if (!(appendIsoDate(out, date) && (out += ' ', appendIsoTime(out, time)))) {
        out.resize(dateTimeStart);
        AppendCsvField(out, CsvDateTime(date, time));
    }
    out += ',';
    appendReading(out, cells[3]);
    out += ',';
    AppendCsvField(out, cells[4]);
    out += ',';
    appendReading(out, cells[5]);
    out += ',';
    AppendCsvField(out, CsvUnit(cells[6]));
    out += ',';
    AppendCsvField(out, cells[7]);
    out += ',';
    AppendCsvField(out, cells[8]);
    out += kLineEnd;
}

std::string CsvHeaderLine() {
    return std::string(kCsvHeader) + std::string(kLineEnd);
}

}  // namespace core
