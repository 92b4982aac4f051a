#pragma once

#include <QString>
#include <array>

namespace panel {

// One meter key: its button name, caption (empty for picture keys) and key code.
struct MeterKey {
    const char* name;
    const char* caption;
    int code;
    const char* tooltip;
};

// The fourteen keys of the meter. Every code has one clear bit in each nibble: the high nibble
// picks a row of the meter's 4 x 4 key matrix, the low nibble a column.
inline constexpr std::array<MeterKey, 14> kMeterKeys{{
    {"CmdRead", "READ", 187, "READ: recall stored readings"},
    {"CmdTest10", "10'S", 123, "10'S key"},
    {"CmdpH", "pH", 221, "pH: show the pH reading"},
    {"CmdmV", "mV", 219, "mV: show the mV reading"},
    {"CmdC", "", 222, "'C: temperature in degrees Celsius"},
    {"CmdF", "", 190, "'F: temperature in degrees Fahrenheit"},
    {"CmdMem", "MEM", 189, "MEM: store the reading in the meter"},
    {"CmdCal", "CAL", 125, "CAL: calibration"},
    {"CmdToggle", "Toggle", 126, "Toggle: next screen"},
    {"CmdEnter", "", 231, "Enter"},
    {"CmdLeft", "", 238, "Left arrow"},
    {"CmdRight", "", 235, "Right arrow"},
    {"CmdUp", "", 237, "Up arrow"},
    {"CmdDown", "", 215, "Down arrow"},
}};

}  // namespace panel
