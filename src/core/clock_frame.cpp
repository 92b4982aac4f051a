#include "core/clock_frame.h"

#include "core/protocol.h"

namespace core {

std::uint8_t ToBcd(int value) {
    value %= 100;
    if (value < 0) value += 100;
    return static_cast<std::uint8_t>((value / 10) << 4 | (value % 10));
}

std::array<std::uint8_t, 7> ClockSetFrame(const DateTimeFields& m) {
    return {protocol::kClockSet, ToBcd(m.year % 100), ToBcd(m.month), ToBcd(m.day),
            ToBcd(m.hour),       ToBcd(m.minute),     ToBcd(m.second)};
}

}  // namespace core
