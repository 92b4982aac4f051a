#pragma once

#include <cstdint>
#include <span>

// The date and time of each record of a logged set: the set header holds the start time, the
// first record carries it and each further record is the set's interval later.
namespace core {

// A moment of the meter's calendar: two-digit year (00 follows 99, and 00 is a leap year, as
// the meter's years are 2000 to 2099).
struct RecordTime {
    int year = 0;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const RecordTime&) const = default;
};

// From six BCD bytes yy mm dd hh mm ss, each read as the number its Hex2 text starts with (a
// byte that is no BCD number, such as 0xFF, reads as 0), then brought to a real date by
// NormaliseRecordTime.
RecordTime RecordTimeFromBcd(std::span<const std::uint8_t, 6> bcd);

// Carries seconds into minutes, minutes into hours, hours into days and days over the end of
// the month into the next month and year. A field that no real date has (day or month 0, a
// month above 12, a day past its month, as only a corrupt header gives) becomes the calendar
// date it counts to, so the result is always a real date.
void NormaliseRecordTime(RecordTime& t);

// `seconds` later, normalised.
void AdvanceRecordTime(RecordTime& t, int seconds);

// Days of `month` (1-12) in the two-digit `year`.
int DaysInRecordMonth(int year, int month);

}  // namespace core
