#pragma once

#include <cstdint>
#include <string>

namespace core {

// The decoded state of the meter: flags of the two status bytes (each 0 or 1), the values and
// the clock-screen texts. Written only by the decoders below.
struct MeterReading {
    // StatusByteA, bit 0 first.
    std::int16_t IsPH = 0;
    std::int16_t IsMV = 0;
    std::int16_t IsCelsius = 0;
    std::int16_t IsFahrenheit = 0;
    std::int16_t IsNegative = 0;
    std::int16_t IsManualTemp = 0;
    std::int16_t AutoBlink = 0;
    std::int16_t AutoSteady = 0;
    // StatusByteB, bit 0 first.
    std::int16_t UpperLeadingOne = 0;
    std::int16_t ClockMode = 0;
    std::int16_t IntervalMode = 0;
    std::int16_t LowBattery = 0;
    std::int16_t MemoryMark = 0;
    std::int16_t RecallMark = 0;
    std::int16_t LowerLeadingOne = 0;
    std::int16_t CalMode = 0;

    double MainValue = 0.0;
    double TempValue = 0.0;
    std::string UpperText;
    std::string ClockText;
    std::string SmallText;
};

// Bit layouts of the two status bytes, shared by the display frame and the stored records.
namespace StatusByteA {
enum Bit : std::uint8_t {
    IsPH = 1 << 0,
    IsMV = 1 << 1,
    IsCelsius = 1 << 2,
    IsFahrenheit = 1 << 3,
    IsNegative = 1 << 4,
    IsManualTemp = 1 << 5,
    AutoBlink = 1 << 6,
    AutoSteady = 1 << 7,
};
}
namespace StatusByteB {
enum Bit : std::uint8_t {
    UpperLeadingOne = 1 << 0,
    ClockMode = 1 << 1,
    IntervalMode = 1 << 2,
    LowBattery = 1 << 3,
    MemoryMark = 1 << 4,
    RecallMark = 1 << 5,
    LowerLeadingOne = 1 << 6,
    CalMode = 1 << 7,
};
}

// Set the flags from a status byte. They consume their argument, bit by bit, leaving it 0.
void DecodeStatusA(MeterReading& reading, int& statusByte);
void DecodeStatusB(MeterReading& reading, int& statusByte);

// MainValue from an upper digit text: pH x 10^-3, mV x 10^-1, negated when IsNegative.
// Prefixes "1" to the caller's text when UpperLeadingOne is set.
void DigitsToValue(MeterReading& reading, std::string& digits);
// TempValue = digit text x 10^-2, no sign. Prefixes "1" when LowerLeadingOne is set.
void DigitsToTemperature(MeterReading& reading, std::string& digits);
// UpperText = digits with "F" shown as "-", with a leading "1" when UpperLeadingOne is set.
void FormatUpperDigits(MeterReading& reading, const std::string& digits);
// ClockText = "hh:mm" from four digits.
void FormatClockDigits(MeterReading& reading, const std::string& digits);
void SetSmallText(MeterReading& reading, const std::string& text);

}  // namespace core
