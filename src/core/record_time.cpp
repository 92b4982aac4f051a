#include "core/record_time.h"

#include "core/text_rules.h"

namespace core {

namespace {

constexpr int kMonthsPerYear = 12;
constexpr int kYearsPerCentury = 100;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int bcdField(std::uint8_t byte) {
    return static_cast<int>(NumericValue(Hex2(byte)));
}

}  // namespace

int DaysInRecordMonth(int year, int month) {
    switch (month) {
        case 2:
            return isLeapYear(year) ? 29 : 28;
        case 4:
        case 6:
        case 9:
        case 11:
            return 30;
        default:
            return 31;
    }
}

RecordTime RecordTimeFromBcd(std::span<const std::uint8_t, 6> b) {
    RecordTime t{bcdField(b[0]), bcdField(b[1]), bcdField(b[2]),
                 bcdField(b[3]), bcdField(b[4]), bcdField(b[5])};
    NormaliseRecordTime(t);
    return t;
}

void NormaliseRecordTime(RecordTime& t) {
    t.minute += t.second / 60;
    t.second %= 60;
    t.hour += t.minute / 60;
    t.minute %= 60;
    t.day += t.hour / 24;
    t.hour %= 24;
    if (t.month < 1) t.month = 1;
    t.year += (t.month - 1) / kMonthsPerYear;
    t.month = (t.month - 1) % kMonthsPerYear + 1;
    t.year %= kYearsPerCentury;
    if (t.day < 1) t.day = 1;
    // A day past the month's end moves into the next month, as often as it takes. From a real
    // date plus at most one day this is day 1 of the next month.
    for (int days = DaysInRecordMonth(t.year, t.month); t.day > days;
         days = DaysInRecordMonth(t.year, t.month)) {
        t.day -= days;
        if (++t.month > kMonthsPerYear) {
            t.month = 1;
            t.year = (t.year + 1) % kYearsPerCentury;
        }
    }
}

void AdvanceRecordTime(RecordTime& t, int seconds) {
    t.second += seconds;
    NormaliseRecordTime(t);
}

}  // namespace core
