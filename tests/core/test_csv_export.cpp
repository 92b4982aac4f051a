#include <gtest/gtest.h>

#include <string>

#include "core/csv_export.h"

namespace {

std::string field(std::string_view text) {
    std::string out;
    core::AppendCsvField(out, text);
    return out;
}

std::string line(std::string_view rowText) {
    std::string out;
    core::AppendCsvRecord(out, rowText);
    return out;
}

TEST(CsvExport, HeaderNamesEveryColumnOnce) {
    EXPECT_EQ(core::CsvHeaderLine(),
              "record,date_time,value,unit,temperature,temperature_unit,compensation,battery\r\n");
}

TEST(CsvExport, RecordsBecomeOneLineOfEightFields) {
    const struct {
        const char* row;
        const char* csv;
    } cases[] = {
        {"1\t26/12/09\t14:02:11\t7.012\tpH\t25.3\t'C\tATC",
         "1,2026-12-09 14:02:11,7.012,pH,25.3,°C,ATC,\r\n"},
        {"12\t24/02/29\t23:59:59\t-0150.5\tmV\t077.0\t'F\tMTC\tLow",
         "12,2024-02-29 23:59:59,-150.5,mV,77.0,°F,MTC,Low\r\n"},
        // Over range, blank and missing cells are empty fields.
        {"3\t24/03/14\t09:00:00\t- . - - -\tpH\t\t'C\tATC",
         "3,2024-03-14 09:00:00,,pH,,°C,ATC,\r\n"},
        {"4\t24/03/14\t09:00:00\t- - - - . -\tmV", "4,2024-03-14 09:00:00,,mV,,,,\r\n"},
        {"", ",,,,,,,\r\n"},
        // Texts that are no date, time or number are kept, quoted where they need it.
        {"5\t00/00/00\tEE:EE:EE\tabc\tpH", "5,00/00/00 EE:EE:EE,abc,pH,,,,\r\n"},
        {"6\t23/02/29\t\t7,04\tp\"H\"", "6,23/02/29,7.04,\"p\"\"H\"\"\",,,,\r\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(line(c.row), c.csv) << c.row;
}

TEST(CsvExport, FieldsAreQuotedOnlyWhenRfc4180AsksForIt) {
    const struct {
        const char* text;
        const char* csv;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {" padded ", " padded "},
        {"a,b", "\"a,b\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"\"", "\"\"\"\""},
        {"two\r\nlines", "\"two\r\nlines\""},
        {"cr\r", "\"cr\r\""},
        {"lf\n", "\"lf\n\""},
        {"°C", "°C"},
    };
    for (const auto& c : cases) EXPECT_EQ(field(c.text), c.csv) << c.text;
}

TEST(CsvExport, ReadingsArePlainNumbersOrEmpty) {
    const struct {
        const char* text;
        const char* csv;
    } cases[] = {
        {"7.012", "7.012"},
        {"007.0", "7.0"},
        {"-0150.5", "-150.5"},
        {"+3", "3"},
        {"-0.000", "0.000"},
        {".5", "0.5"},
        {"5.", "5"},
        {" 25.3 ", "25.3"},
        {"7,04", "7.04"},
        {"", ""},
        {"   ", ""},
        {"- . - - -", ""},
        {"- - . - - -", ""},
        {"- - - . -", ""},
        {"-", ""},
        {"1.2.3", "1.2.3"},
        {"12abc", "12abc"},
        {".", "."},
    };
    for (const auto& c : cases) EXPECT_EQ(core::CsvNumber(c.text), c.csv) << c.text;
}

TEST(CsvExport, DateAndTimeJoinInIso8601WhenTheyAreReal) {
    const struct {
        const char *date, *time, *csv;
    } cases[] = {
        {"26/12/09", "14:02:11", "2026-12-09 14:02:11"},
        {"00-01-01", "00.00.00", "2000-01-01 00:00:00"},
        {"24/02/29", "23:59:59", "2024-02-29 23:59:59"},
        {"23/02/29", "24:00:00", "23/02/29 24:00:00"},  // no such day, no such hour
        {"24/13/01", "12:60:00", "24/13/01 12:60:00"},
        {"24/03/14", "", "2024-03-14"},
        {"", "09:00:00", "09:00:00"},
        {"", "", ""},
        {"  24/03/14 ", " 9:00:00", "2024-03-14 9:00:00"},
        {"2024/03/14", "09:00:00", "2024/03/14 09:00:00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::CsvDateTime(c.date, c.time), c.csv) << c.date << " " << c.time;
}

}  // namespace
