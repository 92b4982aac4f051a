#include "core/memory_texts.h"

#include <cmath>

#include "core/protocol.h"
#include "core/text_rules.h"

namespace core {

namespace {

constexpr double kBytesPerK = 1024.0;
// Single records share the memory with the sets; the window counts them against 32 K.
constexpr double kSingleModeK = 32.0;
// The set memory ends below 0xFF00; remaining is counted up to 0xFF10.
constexpr unsigned kSetMemoryFull = 0xFF00;
constexpr unsigned kSetMemoryCountEnd = 0xFF10;

std::string kText(double k) {
    return FormatPicture(k, "#0.0") + "K";
}

// Rounds to the nearest whole number, halves to the even one, whatever the rounding mode.
double roundHalfEven(double t) {
    const double down = std::floor(t);
    const double fraction = t - down;
    if (fraction > 0.5) return down + 1;
    if (fraction < 0.5) return down;
    return std::fmod(down, 2.0) == 0.0 ? down : down + 1;
}

}  // namespace

std::string SingleModeRemainingText(unsigned pointer) {
    const double used = static_cast<double>(pointer) - protocol::kSetMemoryStart;
    return kText(kSingleModeK - used / kBytesPerK);
}

std::string MultiModeRemainingText(unsigned pointer) {
    if (pointer >= kSetMemoryFull) return "0 K";
    return kText((kSetMemoryCountEnd - pointer) / kBytesPerK);
}

std::string MeterClockText(std::span<const std::uint8_t> b) {
    if (b.size() < protocol::kClockReplySize) return {};
    return Hex2(b[0]) + "/" + Hex2(b[1]) + "/" + Hex2(b[2]) + "-----" + Hex2(b[3]) + ":" +
           Hex2(b[4]) + ":" + Hex2(b[5]);
}

std::string IntervalText(std::uint8_t seconds) {
    return DecimalText(seconds) + " sec";
}

std::optional<std::uint8_t> SamplingIntervalByte(std::string_view text) {
    const double t = NumericValue(text);
    if (t < protocol::kMinLogInterval || t > protocol::kMaxLogInterval) return std::nullopt;
    return static_cast<std::uint8_t>(roundHalfEven(t));
}

}  // namespace core
