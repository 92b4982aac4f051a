#include "core/meter_reading.h"

#include <algorithm>

#include "core/text_rules.h"

namespace core {
namespace {

std::int16_t takeBit(int& b) {
    const auto bit = static_cast<std::int16_t>(b % 2);
    b /= 2;
    return bit;
}

}  // namespace

void DecodeStatusA(MeterReading& r, int& b) {
    r.IsPH = takeBit(b);
    r.IsMV = takeBit(b);
    r.IsCelsius = takeBit(b);
    r.IsFahrenheit = takeBit(b);
    r.IsNegative = takeBit(b);
    r.IsManualTemp = takeBit(b);
    r.AutoBlink = takeBit(b);
    r.AutoSteady = takeBit(b);
}

void DecodeStatusB(MeterReading& r, int& b) {
    r.UpperLeadingOne = takeBit(b);
    r.ClockMode = takeBit(b);
    r.IntervalMode = takeBit(b);
    r.LowBattery = takeBit(b);
    r.MemoryMark = takeBit(b);
    r.RecallMark = takeBit(b);
    r.LowerLeadingOne = takeBit(b);
    r.CalMode = takeBit(b);
}

void DigitsToValue(MeterReading& r, std::string& d) {
    if (r.UpperLeadingOne == 1) d = "1" + d;
    if (r.IsPH == 1) r.MainValue = NumericValue(d) * 1e-3;
    if (r.IsMV == 1) r.MainValue = NumericValue(d) * 1e-1;
    if (r.IsNegative == 1) r.MainValue = -r.MainValue;
}

void DigitsToTemperature(MeterReading& r, std::string& d) {
    if (r.LowerLeadingOne == 1) d = "1" + d;
    r.TempValue = NumericValue(d) * 1e-2;
}

void FormatUpperDigits(MeterReading& r, const std::string& d) {
    std::string text = d;
    std::replace(text.begin(), text.end(), 'F', '-');
    if (r.UpperLeadingOne == 1) text = "1" + text;
    r.UpperText = text;
}

void FormatClockDigits(MeterReading& r, const std::string& d) {
    const std::string padded = d + std::string(d.size() < 4 ? 4 - d.size() : 0, ' ');
    r.ClockText = padded.substr(0, 2) + ":" + padded.substr(2, 2);
}

void SetSmallText(MeterReading& r, const std::string& s) {
    r.SmallText = s;
}

}  // namespace core
