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

std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
}

std::optional<std::string> isoDate(std::string_view date) {
    const auto fields = threeFields(date);
    if (!fields) return std::nullopt;
    const auto [year, month, day] = *fields;
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return std::nullopt;
    return "20" + twoDigits(year) + "-" + twoDigits(month) + "-" + twoDigits(day);
}

std::optional<std::string> isoTime(std::string_view time) {
    const auto fields = threeFields(time);
    if (!fields) return std::nullopt;
    const auto [hour, minute, second] = *fields;
    if (hour > 23 || minute > 59 || second > 59) return std::nullopt;
    return twoDigits(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
}

// A number of the form [sign] digits [point digits], with "." or "," as the point, as a plain
// decimal: no "+", no leading zeros, no sign on zero. Nothing for any other text.
std::optional<std::string> plainNumber(std::string_view text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const std::size_t wholeStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    std::string_view whole = text.substr(wholeStart, i - wholeStart);
    std::string_view fraction;
    bool point = false;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        point = true;
        const std::size_t fractionStart = ++i;
        while (i < text.size() && isDigit(text[i])) ++i;
        fraction = text.substr(fractionStart, i - fractionStart);
    }
    if (i != text.size() || whole.size() + fraction.size() == 0) return std::nullopt;

    while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
    const bool zero = whole.find_first_not_of('0') == std::string_view::npos &&
                      fraction.find_first_not_of('0') == std::string_view::npos;
    std::string out = negative && !zero ? "-" : "";
    out += whole.empty() ? std::string_view("0") : whole;
    if (point && !fraction.empty()) {
        out += '.';
        out += fraction;
    }
    return out;
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
    std::string out = isoDate(date).value_or(std::string(date));
    const std::string timePart = isoTime(time).value_or(std::string(time));
    if (!out.empty() && !timePart.empty()) out += ' ';
    out += timePart;
    return out;
}

std::string CsvNumber(std::string_view text) {
    text = trimmed(text);
    if (text.empty() || IsDashText(text)) return {};
    return plainNumber(text).value_or(std::string(text));
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
    const auto cell = [rowText](std::size_t column) { return cellOfRowText(rowText, column); };
    AppendCsvField(out, cell(0));
    out += ',';
    AppendCsvField(out, CsvDateTime(cell(1), cell(2)));
    out += ',';
    AppendCsvField(out, CsvNumber(cell(3)));
    out += ',';
    AppendCsvField(out, cell(4));
    out += ',';
    AppendCsvField(out, CsvNumber(cell(5)));
    out += ',';
    AppendCsvField(out, CsvUnit(cell(6)));
    out += ',';
    AppendCsvField(out, cell(7));
    out += ',';
    AppendCsvField(out, cell(8));
    out += kLineEnd;
}

std::string CsvHeaderLine() {
    return std::string(kCsvHeader) + std::string(kLineEnd);
}

}  // namespace core
