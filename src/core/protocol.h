#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Every frame and code the program sends to the meter or expects from it, named once. The
// meter answers only what it is asked; all bytes are raw (9600 baud, 8 data bits, no parity).
namespace core::protocol {

// Lead bytes of the frames the program writes.
inline constexpr std::uint8_t kDisplayPoll = 0x20;  // " ": answered by a 9-byte display frame
inline constexpr std::uint8_t kRequest = 0x52;      // "R" + code: answered by one byte
inline constexpr std::uint8_t kKey = 0x46;          // "F" + key code: no answer
inline constexpr std::uint8_t kClockSet = 0x44;     // "D" + 6 BCD bytes: no answer
inline constexpr std::uint8_t kClockRead = 0x43;    // "C": answered by 6 BCD bytes
inline constexpr std::uint8_t kIntervalSet = 0x47;  // "G" + seconds: no answer
inline constexpr std::uint8_t kSingleDump = 0x50;   // "P": the single records, 16 bytes each
inline constexpr std::uint8_t kSetDump = 0x4C;      // "L": the set memory
// Written after a dump, and when the memory window closes: back to the display.
inline constexpr std::uint8_t kDumpEnd = 0x20;

// Codes that follow "R".
namespace request {
inline constexpr std::uint8_t kSingleCount = 0x20;     // number of single records
inline constexpr std::uint8_t kSetPointerHigh = 0x50;  // set memory fill pointer, high byte
inline constexpr std::uint8_t kSetPointerLow = 0x51;   // ... low byte
inline constexpr std::uint8_t kInterval = 0x52;        // logging interval in seconds
}  // namespace request

// Key codes that follow "F". Each code has one clear bit in each nibble: the high nibble picks
// a row of the meter's 4 x 4 key matrix, the low nibble a column.
namespace key {
inline constexpr std::uint8_t kRead = 0xBB;
inline constexpr std::uint8_t kTens = 0x7B;  // "10'S"
inline constexpr std::uint8_t kPh = 0xDD;
inline constexpr std::uint8_t kMv = 0xDB;
inline constexpr std::uint8_t kCelsius = 0xDE;
inline constexpr std::uint8_t kFahrenheit = 0xBE;
inline constexpr std::uint8_t kMem = 0xBD;
inline constexpr std::uint8_t kCal = 0x7D;
inline constexpr std::uint8_t kToggle = 0x7E;
inline constexpr std::uint8_t kEnter = 0xE7;
inline constexpr std::uint8_t kLeft = 0xEE;
inline constexpr std::uint8_t kRight = 0xEB;
inline constexpr std::uint8_t kUp = 0xED;
inline constexpr std::uint8_t kDown = 0xD7;
}  // namespace key

// Sizes of what the meter sends.
inline constexpr std::size_t kDisplayFrameSize = 9;
inline constexpr std::size_t kClockReplySize = 6;
inline constexpr std::size_t kSingleRecordSize = 16;
inline constexpr std::size_t kLoggedRecordSize = 6;
inline constexpr std::size_t kSetHeaderSize = 7;  // yy mm dd hh mm ss (BCD), interval
// The set dump sends this many bytes more than the used set memory.
inline constexpr std::size_t kSetDumpTrailer = 7;

// Four bytes in front of every logged set in the set dump.
inline constexpr std::array<std::uint8_t, 4> kSetMarker = {0xAA, 0xBB, 0xCC, 0xDD};
// The set memory's fill pointer when the memory is empty.
inline constexpr unsigned kSetMemoryStart = 0x0700;
// Logging intervals the meter takes, in seconds.
inline constexpr int kMinLogInterval = 2;
inline constexpr int kMaxLogInterval = 255;

// Two-byte frames.
constexpr std::array<std::uint8_t, 2> RequestFrame(std::uint8_t code) {
    return {kRequest, code};
}
constexpr std::array<std::uint8_t, 2> KeyFrame(std::uint8_t code) {
    return {kKey, code};
}
constexpr std::array<std::uint8_t, 2> IntervalFrame(std::uint8_t seconds) {
    return {kIntervalSet, seconds};
}

}  // namespace core::protocol
