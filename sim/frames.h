// Wire-level building blocks of the simulated meter: BCD, the meter's calendar, the frame
// parser and the encoders of the stored records. Pure functions, no state beyond the parser.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

enum class MainUnit : uint8_t { Ph, Mv };
enum class TempUnit : uint8_t { Celsius, Fahrenheit };

// Lead bytes of the frames the meter receives.
namespace lead {
constexpr uint8_t kDisplayPoll = 0x20;  // " "
constexpr uint8_t kRequest = 0x52;      // "R" + code
constexpr uint8_t kKey = 0x46;          // "F" + key code
constexpr uint8_t kClockSet = 0x44;     // "D" + 6 BCD bytes
constexpr uint8_t kClockRead = 0x43;    // "C"
constexpr uint8_t kIntervalSet = 0x47;  // "G" + seconds
constexpr uint8_t kSingleDump = 0x50;   // "P"
constexpr uint8_t kSetDump = 0x4C;      // "L"
}  // namespace lead

// Codes that follow "R".
namespace request {
constexpr uint8_t kSingleCount = 0x20;
constexpr uint8_t kSetPointerHigh = 0x50;
constexpr uint8_t kSetPointerLow = 0x51;
constexpr uint8_t kInterval = 0x52;
}  // namespace request

// Key codes that follow "F".
namespace key {
constexpr uint8_t kPh = 0xDD;
constexpr uint8_t kMv = 0xDB;
constexpr uint8_t kCelsius = 0xDE;
constexpr uint8_t kFahrenheit = 0xBE;
constexpr uint8_t kMem = 0xBD;
constexpr uint8_t kCal = 0x7D;
constexpr uint8_t kToggle = 0x7E;
constexpr uint8_t kEnter = 0xE7;
constexpr uint8_t kLeft = 0xEE;
constexpr uint8_t kRight = 0xEB;
constexpr uint8_t kUp = 0xED;
constexpr uint8_t kDown = 0xD7;
constexpr uint8_t kRead = 0xBB;
constexpr uint8_t kTens = 0x7B;  // "10'S": starts/stops the interval logger
}  // namespace key

// Bits of StatusByteA (byte 6 of the display frame, byte 8 of a single record).
namespace status_a {
constexpr uint8_t kIsPh = 1u << 0;
constexpr uint8_t kIsMv = 1u << 1;
constexpr uint8_t kIsCelsius = 1u << 2;
constexpr uint8_t kIsFahrenheit = 1u << 3;
constexpr uint8_t kIsNegative = 1u << 4;
constexpr uint8_t kIsManualTemp = 1u << 5;
constexpr uint8_t kAutoBlink = 1u << 6;
constexpr uint8_t kAutoSteady = 1u << 7;
}  // namespace status_a

// Bits of StatusByteB (byte 7 of the display frame, byte 9 of a single record).
namespace status_b {
constexpr uint8_t kUpperLeadingOne = 1u << 0;
constexpr uint8_t kClockMode = 1u << 1;
constexpr uint8_t kIntervalMode = 1u << 2;
constexpr uint8_t kLowBattery = 1u << 3;
constexpr uint8_t kMemoryMark = 1u << 4;
constexpr uint8_t kRecallMark = 1u << 5;
constexpr uint8_t kLowerLeadingOne = 1u << 6;
constexpr uint8_t kCalMode = 1u << 7;
}  // namespace status_b

constexpr size_t kDisplayFrameSize = 9;
constexpr size_t kSingleRecordSize = 16;
constexpr size_t kLoggedRecordSize = 6;
constexpr std::array<uint8_t, 4> kSetMarker = {0xAA, 0xBB, 0xCC, 0xDD};
constexpr size_t kSetHeaderSize = 4 + 7;  // marker + yy mm dd hh mm ss + interval
constexpr uint8_t kBlankNibble = 0xE;
constexpr uint8_t kDashNibble = 0xF;

// 0..99 -> packed BCD. Values outside 0..99 are reduced modulo 100.
uint8_t toBcd(int value);
// Packed BCD -> 0..99, or -1 when either nibble is not a decimal digit.
int fromBcd(uint8_t bcd);

// A wall-clock time of the meter. The meter keeps two-digit years: 2000..2099.
struct DateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime&) const = default;
};

bool isValid(const DateTime& t);
int daysInMonth(int year, int month);
// Seconds since 2000-01-01 00:00:00 (the meter's calendar has no time zones or leap seconds).
int64_t toMeterSeconds(const DateTime& t);
// Inverse of toMeterSeconds; wraps every 100 years so the year always fits two digits.
DateTime fromMeterSeconds(int64_t seconds);
// yy mm dd hh mm ss, each packed BCD.
std::array<uint8_t, 6> encodeDateTime(const DateTime& t);
// Rejects bytes that are not BCD or do not form a real date and time.
std::optional<DateTime> decodeDateTime(const uint8_t* bcd6);

// One measurement as the meter stores it: value and temperature in the units shown at the time.
struct Sample {
    MainUnit unit = MainUnit::Ph;
    double value = 7.0;  // pH or mV
    TempUnit tempUnit = TempUnit::Celsius;
    double temperature = 25.0;  // in tempUnit
    bool overRange = false;     // main value out of range
    bool manualTemp = false;    // MTC instead of ATC
    bool lowBattery = false;
    bool operator==(const Sample&) const = default;
};

struct SingleRecord {
    Sample sample;
    DateTime time;
};

struct LoggedSet {
    DateTime start;
    int intervalSeconds = 10;
    std::vector<Sample> records;
};

// A number as the 4-digit (+ leading one) display field shows it.
struct DigitField {
    int digits = 0;  // 0..9999, the four digits below any leading one
    bool leadingOne = false;
    bool negative = false;
    bool outOfRange = false;  // shown as dashes
};

// Main value: pH x1000 or mV x10, signed, up to 19999 counts.
DigitField mainField(MainUnit unit, double value, bool overRange);
// Temperature x100, 0..199.99; anything else is out of range.
DigitField temperatureField(double temperature);

// The status bytes a stored sample carries (no annunciators that only blink on the display).
uint8_t sampleStatusA(const Sample& s);
uint8_t sampleStatusB(const Sample& s);

std::array<uint8_t, kSingleRecordSize> encodeSingleRecord(const SingleRecord& r);
std::array<uint8_t, kLoggedRecordSize> encodeLoggedRecord(const Sample& s);
// Marker + header + records, as the set dump carries one set.
std::vector<uint8_t> encodeLoggedSet(const LoggedSet& set);
size_t encodedSize(const LoggedSet& set);

double celsiusToFahrenheit(double c);

enum class FrameKind : uint8_t {
    DisplayPoll,
    Request,
    Key,
    ClockSet,
    ClockRead,
    IntervalSet,
    SingleDump,
    SetDump,
    Unknown,  // a byte that starts no frame; the meter ignores it
};

struct Frame {
    FrameKind kind = FrameKind::Unknown;
    std::vector<uint8_t> bytes;  // lead byte + payload
};

// Stateful parse of the byte stream the meter receives: a lead letter swallows its payload
// bytes whatever their value, so "F" followed by " " is a key press and not a display poll.
class FrameParser {
  public:
    // Number of payload bytes after a lead byte, or -1 when the byte starts no frame.
    static int payloadLength(uint8_t leadByte);
    static FrameKind kindOf(uint8_t leadByte);

    // Feeds one byte; returns the frame that this byte completes, if any.
    std::optional<Frame> push(uint8_t byte);
    // Bytes of a frame begun but not yet complete.
    const std::vector<uint8_t>& pending() const { return pending_; }
    void reset() { pending_.clear(); }

  private:
    std::vector<uint8_t> pending_;
};

// Splits a recorded byte stream into frames; a trailing incomplete frame is returned as well
// (with the kind of its lead byte) when includePartial is set.
std::vector<Frame> splitFrames(const uint8_t* data, size_t n, bool includePartial);

}  // namespace sim
