#pragma once

#include <QString>
#include <array>

#include "core/protocol.h"

namespace panel {

// One meter key: its button name, caption (empty for picture keys) and key code.
struct MeterKey {
    const char* name;
    const char* caption;
    int code;
    const char* tooltip;
};

// The fourteen keys of the meter.
namespace key = core::protocol::key;

inline constexpr std::array<MeterKey, 14> kMeterKeys{{
    {"CmdRead", "READ", key::kRead, "READ: recall stored readings"},
    {"CmdTest10", "10'S", key::kTens, "10'S key"},
    {"CmdpH", "pH", key::kPh, "pH: show the pH reading"},
    {"CmdmV", "mV", key::kMv, "mV: show the mV reading"},
    {"CmdC", "", key::kCelsius, "'C: temperature in degrees Celsius"},
    {"CmdF", "", key::kFahrenheit, "'F: temperature in degrees Fahrenheit"},
    {"CmdMem", "MEM", key::kMem, "MEM: store the reading in the meter"},
    {"CmdCal", "CAL", key::kCal, "CAL: calibration"},
    {"CmdToggle", "Toggle", key::kToggle, "Toggle: next screen"},
    {"CmdEnter", "", key::kEnter, "Enter"},
    {"CmdLeft", "", key::kLeft, "Left arrow"},
    {"CmdRight", "", key::kRight, "Right arrow"},
    {"CmdUp", "", key::kUp, "Up arrow"},
    {"CmdDown", "", key::kDown, "Down arrow"},
}};

}  // namespace panel
