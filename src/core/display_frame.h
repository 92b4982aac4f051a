#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/protocol.h"

namespace core {

// The meter's 9-byte answer to the display poll.
struct DisplayFrame {
    static constexpr std::size_t kSize = protocol::kDisplayFrameSize;
    std::array<std::uint8_t, kSize> bytes{};

    // Upper display: Hex2(byte 2) + Hex2(byte 1).
    std::string upperDigits() const;
    // Lower display: Hex2(byte 4) + Hex2(byte 3).
    std::string lowerDigits() const;
    // Lower-right field: Hex2(byte 5); "EE" is an empty field.
    std::string smallDigits() const;
    std::uint8_t statusA() const { return bytes[6]; }
    std::uint8_t statusB() const { return bytes[7]; }

    // A frame from exactly kSize bytes; false for any other length.
    static bool fromBytes(const std::uint8_t* data, std::size_t size, DisplayFrame& frame);
};

}  // namespace core
