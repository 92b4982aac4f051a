#pragma once

#include <string>

#include "core/display_frame.h"

// Builds display frames from digit texts the way the meter lays them out.
inline std::uint8_t nibblePair(const std::string& two) {
    auto nibble = [](char c) -> std::uint8_t {
        return static_cast<std::uint8_t>(c <= '9' ? c - '0' : c - 'A' + 10);
    };
    return static_cast<std::uint8_t>(nibble(two[0]) << 4 | nibble(two[1]));
}

inline core::DisplayFrame makeFrame(const std::string& upper, const std::string& lower,
                                    const std::string& small, int statusA, int statusB) {
    core::DisplayFrame f;
    f.bytes[2] = nibblePair(upper.substr(0, 2));
    f.bytes[1] = nibblePair(upper.substr(2, 2));
    f.bytes[4] = nibblePair(lower.substr(0, 2));
    f.bytes[3] = nibblePair(lower.substr(2, 2));
    f.bytes[5] = nibblePair(small);
    f.bytes[6] = static_cast<std::uint8_t>(statusA);
    f.bytes[7] = static_cast<std::uint8_t>(statusB);
    return f;
}
