#pragma once

#include <array>
#include <cstdint>

namespace core {

// One reading of a clock: all six fields belong to the same moment.
struct DateTimeFields {
    int year = 2000;  // four digits; the frame carries the last two
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// A value 0..99 as a BCD byte: 59 -> 0x59, 7 -> 0x07.
std::uint8_t ToBcd(int value);

// The 7-byte clock-set frame: "D", then year (two digits), month, day, hour, minute, second,
// each as a BCD byte.
std::array<std::uint8_t, 7> ClockSetFrame(const DateTimeFields& moment);

}  // namespace core
