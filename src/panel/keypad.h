#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "core/protocol.h"

namespace panel {

// One meter key: its button name, caption (empty for picture keys) and key code.
struct MeterKey {
    const char* name;
    const char* caption;
    std::uint8_t code;
    const char* tooltip;
};

// The fourteen keys of the meter.
namespace key = core::protocol::key;

inline constexpr std::array<MeterKey, 14> kMeterKeys{{
    {"CmdRead", "READ", key::kRead,
     "READ \u2014 recall the single records stored in the meter, the last one first"},
    {"CmdTest10", "10'S", key::kTens, "10'S \u2014 start or stop the meter's logger"},
    {"CmdpH", "pH", key::kPh,
     "pH \u2014 measure pH; back to measuring from the clock or interval screen"},
    {"CmdmV", "mV", key::kMv,
     "mV \u2014 measure mV; back to measuring from the clock or interval screen"},
    {"CmdC", "", key::kCelsius, "'C \u2014 show the temperature in degrees Celsius"},
    {"CmdF", "", key::kFahrenheit, "'F \u2014 show the temperature in degrees Fahrenheit"},
    {"CmdMem", "MEM", key::kMem,
     "MEM \u2014 store the current reading in the meter as a single record"},
    {"CmdCal", "CAL", key::kCal,
     "CAL \u2014 enter or leave the calibration screen (stops a recording)"},
    {"CmdToggle", "Toggle", key::kToggle,
     "Toggle \u2014 next screen: measuring, clock, interval (stops a recording)"},
    {"CmdEnter", "", key::kEnter,
     "Enter \u2014 back to measuring; accepts a calibration on the calibration screen"},
    {"CmdLeft", "", key::kLeft, "Left arrow \u2014 previous record while recalling"},
    {"CmdRight", "", key::kRight, "Right arrow \u2014 next record while recalling"},
    {"CmdUp", "", key::kUp,
     "Up arrow \u2014 logging interval one second longer; next calibration buffer"},
    {"CmdDown", "", key::kDown,
     "Down arrow \u2014 logging interval one second shorter; previous calibration buffer"},
}};

}  // namespace panel
