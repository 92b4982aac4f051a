#include "sim/frames.h"

#include <cmath>

namespace sim {

uint8_t toBcd(int value) {
    int v = value % 100;
    if (v < 0) v += 100;
    return static_cast<uint8_t>(((v / 10) << 4) | (v % 10));
}

int fromBcd(uint8_t bcd) {
    const int hi = bcd >> 4;
    const int lo = bcd & 0x0F;
    if (hi > 9 || lo > 9) return -1;
    return hi * 10 + lo;
}

namespace {

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

const int64_t kEpochDays = daysFromCivil(2000, 1, 1);
const int64_t kCenturySeconds = (daysFromCivil(2100, 1, 1) - kEpochDays) * 86400;

}  // namespace

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

bool isValid(const DateTime& t) {
    return t.year >= 2000 && t.year <= 2099 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
           t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour < 24 && t.minute >= 0 &&
           t.minute < 60 && t.second >= 0 && t.second < 60;
}

int64_t toMeterSeconds(const DateTime& t) {
    const int64_t days = daysFromCivil(t.year, t.month, t.day) - kEpochDays;
    return days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
}

DateTime fromMeterSeconds(int64_t seconds) {
    seconds %= kCenturySeconds;
    if (seconds < 0) seconds += kCenturySeconds;
    DateTime t;
    civilFromDays(kEpochDays + seconds / 86400, t.year, t.month, t.day);
    const int64_t inDay = seconds % 86400;
    t.hour = static_cast<int>(inDay / 3600);
    t.minute = static_cast<int>(inDay / 60 % 60);
    t.second = static_cast<int>(inDay % 60);
    return t;
}

std::array<uint8_t, 6> encodeDateTime(const DateTime& t) {
    return {toBcd(t.year), toBcd(t.month),  toBcd(t.day),
            toBcd(t.hour), toBcd(t.minute), toBcd(t.second)};
}

std::optional<DateTime> decodeDateTime(const uint8_t* bcd6) {
    int v[6];
    for (int i = 0; i < 6; ++i) {
        v[i] = fromBcd(bcd6[i]);
        if (v[i] < 0) return std::nullopt;
    }
    const DateTime t{2000 + v[0], v[1], v[2], v[3], v[4], v[5]};
    if (!isValid(t)) return std::nullopt;
    return t;
}

double celsiusToFahrenheit(double c) {
    return c * 9.0 / 5.0 + 32.0;
}

namespace {

constexpr long long kMaxCounts = 19999;

DigitField fieldFromCounts(double scaled, bool allowNegative) {
    DigitField f;
    if (!std::isfinite(scaled) || std::fabs(scaled) > kMaxCounts + 0.5) {
        f.outOfRange = true;
        return f;
    }
    long long counts = std::llround(scaled);
    if (counts < 0) {
        if (!allowNegative) {
            f.outOfRange = true;
            return f;
        }
        f.negative = true;
        counts = -counts;
    }
    if (counts > kMaxCounts) {
        f.outOfRange = true;
        f.negative = false;
        return f;
    }
    f.leadingOne = counts >= 10000;
    f.digits = static_cast<int>(counts % 10000);
    return f;
}

}  // namespace

DigitField mainField(MainUnit unit, double value, bool overRange) {
    if (overRange) {
        DigitField f;
        f.outOfRange = true;
        return f;
    }
    return fieldFromCounts(value * (unit == MainUnit::Ph ? 1000.0 : 10.0), true);
}

DigitField temperatureField(double temperature) {
    return fieldFromCounts(temperature * 100.0, false);
}

uint8_t sampleStatusA(const Sample& s) {
    uint8_t a = s.unit == MainUnit::Ph ? status_a::kIsPh : status_a::kIsMv;
    a |= s.tempUnit == TempUnit::Celsius ? status_a::kIsCelsius : status_a::kIsFahrenheit;
    if (mainField(s.unit, s.value, s.overRange).negative) a |= status_a::kIsNegative;
    if (s.manualTemp) a |= status_a::kIsManualTemp;
    return a;
}

uint8_t sampleStatusB(const Sample& s) {
    uint8_t b = 0;
    if (mainField(s.unit, s.value, s.overRange).leadingOne) b |= status_b::kUpperLeadingOne;
    if (temperatureField(s.temperature).leadingOne) b |= status_b::kLowerLeadingOne;
    if (s.lowBattery) b |= status_b::kLowBattery;
    return b;
}

namespace {

// Four decimal digits, one per byte, least significant first; dashes when out of range.
void putDigitBytes(const DigitField& f, uint8_t* out) {
    int v = f.digits;
    for (int i = 0; i < 4; ++i) {
        out[i] = f.outOfRange ? kDashNibble : static_cast<uint8_t>(v % 10);
        v /= 10;
    }
}

// Four digits as two BCD bytes, low pair first; 0xFF 0xFF when out of range.
void putBcdPair(const DigitField& f, uint8_t* out) {
    if (f.outOfRange) {
        out[0] = out[1] = 0xFF;
        return;
    }
    out[0] = toBcd(f.digits % 100);
    out[1] = toBcd(f.digits / 100);
}

}  // namespace

std::array<uint8_t, kSingleRecordSize> encodeSingleRecord(const SingleRecord& r) {
    std::array<uint8_t, kSingleRecordSize> out{};
    const Sample& s = r.sample;
    putDigitBytes(mainField(s.unit, s.value, s.overRange), &out[0]);
    putDigitBytes(temperatureField(s.temperature), &out[4]);
    out[8] = sampleStatusA(s);
    out[9] = sampleStatusB(s);
    const auto when = encodeDateTime(r.time);
    for (size_t i = 0; i < when.size(); ++i) out[10 + i] = when[i];
    return out;
}

std::array<uint8_t, kLoggedRecordSize> encodeLoggedRecord(const Sample& s) {
    std::array<uint8_t, kLoggedRecordSize> out{};
    putBcdPair(mainField(s.unit, s.value, s.overRange), &out[0]);
    putBcdPair(temperatureField(s.temperature), &out[2]);
    out[4] = sampleStatusA(s);
    out[5] = sampleStatusB(s);
    return out;
}

size_t encodedSize(const LoggedSet& set) {
    return kSetHeaderSize + set.records.size() * kLoggedRecordSize;
}

std::vector<uint8_t> encodeLoggedSet(const LoggedSet& set) {
    std::vector<uint8_t> out;
    out.reserve(encodedSize(set));
    out.insert(out.end(), kSetMarker.begin(), kSetMarker.end());
    const auto start = encodeDateTime(set.start);
    out.insert(out.end(), start.begin(), start.end());
    out.push_back(static_cast<uint8_t>(set.intervalSeconds));
    for (const Sample& s : set.records) {
        const auto rec = encodeLoggedRecord(s);
        out.insert(out.end(), rec.begin(), rec.end());
    }
    return out;
}

int FrameParser::payloadLength(uint8_t leadByte) {
    switch (leadByte) {
        case lead::kDisplayPoll:
        case lead::kClockRead:
        case lead::kSingleDump:
        case lead::kSetDump:
            return 0;
        case lead::kRequest:
        case lead::kKey:
        case lead::kIntervalSet:
            return 1;
        case lead::kClockSet:
            return 6;
        default:
            return -1;
    }
}

FrameKind FrameParser::kindOf(uint8_t leadByte) {
    switch (leadByte) {
        case lead::kDisplayPoll:
            return FrameKind::DisplayPoll;
        case lead::kRequest:
            return FrameKind::Request;
        case lead::kKey:
            return FrameKind::Key;
        case lead::kClockSet:
            return FrameKind::ClockSet;
        case lead::kClockRead:
            return FrameKind::ClockRead;
        case lead::kIntervalSet:
            return FrameKind::IntervalSet;
        case lead::kSingleDump:
            return FrameKind::SingleDump;
        case lead::kSetDump:
            return FrameKind::SetDump;
        default:
            return FrameKind::Unknown;
    }
}

std::optional<Frame> FrameParser::push(uint8_t byte) {
    if (pending_.empty()) {
        const int payload = payloadLength(byte);
        if (payload <= 0) return Frame{kindOf(byte), {byte}};
        pending_.push_back(byte);
        return std::nullopt;
    }
    pending_.push_back(byte);
    if (pending_.size() < 1 + static_cast<size_t>(payloadLength(pending_.front()))) {
        return std::nullopt;
    }
    Frame f{kindOf(pending_.front()), std::move(pending_)};
    pending_.clear();
    return f;
}

std::vector<Frame> splitFrames(const uint8_t* data, size_t n, bool includePartial) {
    std::vector<Frame> frames;
    FrameParser parser;
    for (size_t i = 0; i < n; ++i) {
        if (auto f = parser.push(data[i])) frames.push_back(std::move(*f));
    }
    if (includePartial && !parser.pending().empty()) {
        frames.push_back(Frame{FrameParser::kindOf(parser.pending().front()), parser.pending()});
    }
    return frames;
}

}  // namespace sim
