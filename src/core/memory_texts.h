#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Texts of the memory window: memory remaining, the meter's clock and its logging interval.
namespace core {

// Memory remaining beside the single-record download, from the set-memory pointer:
// 32 - (pointer - 1792) / 1024 as "#0.0" and "K" ("32.0K" at 1792; below zero once more than
// 32 KB of set memory are used: "-2.0K" at 36608).
std::string SingleModeRemainingText(unsigned pointer);

// Memory remaining beside the set list: "0 K" from pointer 65280 (0xFF00) on, else
// (65296 - pointer) / 1024 as "#0.0" and "K" ("61.0K" at 2816, "0.0K" at 65279).
std::string MultiModeRemainingText(unsigned pointer);

// The meter's clock from the 6 BCD bytes of its clock reply: "yy/mm/dd-----hh:mm:ss"
// (10 05 31 09 07 00 gives "10/05/31-----09:07:00"). Bytes beyond the sixth are ignored; fewer
// than six give an empty text.
std::string MeterClockText(std::span<const std::uint8_t> reply);

// The logging-interval text shown for the interval reply: "30 sec".
std::string IntervalText(std::uint8_t seconds);

// Shown when a typed logging interval is out of range; nothing is sent then.
inline constexpr std::string_view kSamplingRangeMessage = "2 sec <= Sampling Time<= 255 sec";

// The byte to send for a typed logging interval: t = NumericValue(text) ("10 sec" gives 10),
// rounded to a whole number with halves to the even one (2.5 gives 2, 3.5 gives 4). Nothing
// when t < 2 or t > 255 (also for a text that does not start with a number): show
// kSamplingRangeMessage.
std::optional<std::uint8_t> SamplingIntervalByte(std::string_view text);

}  // namespace core
