#include "sim/meter_model.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

const DateTime kDefaultClock{2025, 1, 1, 0, 0, 0};
constexpr uint8_t kEmptySmallField = 0xEE;

uint64_t splitMix(uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Deterministic value in [-1, 1] for (seed, channel, step).
double hashUnit(uint32_t seed, uint64_t channel, int64_t step) {
    const uint64_t h = splitMix(splitMix(seed ^ (channel << 32)) ^ static_cast<uint64_t>(step));
    return static_cast<double>(h >> 11) / static_cast<double>(1ull << 52) - 1.0;
}

// Keeps long-running and absurd times in a range where floor() and int64 casts are exact.
double wrapTime(double t) {
    if (!std::isfinite(t)) return 0.0;
    constexpr double kWrap = 1e9;
    return std::fabs(t) > kWrap ? std::fmod(t, kWrap) : t;
}

void putUpper(const DigitField& f, std::array<uint8_t, kDisplayFrameSize>& out) {
    out[2] = f.outOfRange ? 0xFF : toBcd(f.digits / 100);
    out[1] = f.outOfRange ? 0xFF : toBcd(f.digits % 100);
}

void putLower(const DigitField& f, std::array<uint8_t, kDisplayFrameSize>& out) {
    out[4] = f.outOfRange ? 0xFF : toBcd(f.digits / 100);
    out[3] = f.outOfRange ? 0xFF : toBcd(f.digits % 100);
}

bool isKnownKey(uint8_t code) {
    switch (code) {
        case key::kPh:
        case key::kMv:
        case key::kCelsius:
        case key::kFahrenheit:
        case key::kMem:
        case key::kCal:
        case key::kToggle:
        case key::kEnter:
        case key::kLeft:
        case key::kRight:
        case key::kUp:
        case key::kDown:
        case key::kRead:
        case key::kTens:
            return true;
        default:
            return false;
    }
}

}  // namespace

MeterModel::MeterModel(uint32_t seed) : seed_(seed), clockAtRef_(toMeterSeconds(kDefaultClock)) {}

double MeterModel::clampNow(double now) {
    if (!std::isfinite(now)) return lastNow_;
    if (!haveNow_ || now > lastNow_) {
        lastNow_ = now;
        haveNow_ = true;
    }
    return lastNow_;
}

// ---------------------------------------------------------------------------------------
// Reading

double MeterModel::noise(uint64_t channel, double t, double period) const {
    const double x = wrapTime(t) / period;
    const double k = std::floor(x);
    const double f = x - k;
    const auto step = static_cast<int64_t>(k);
    const double a = hashUnit(seed_, channel, step);
    const double b = hashUnit(seed_, channel, step + 1);
    return a + (b - a) * f * f * (3.0 - 2.0 * f);
}

double MeterModel::driftPh(double now) const {
    const double t = wrapTime(now);
    const double phase = hashUnit(seed_, 1, 0) * std::numbers::pi;
    return 7.0 + 0.04 * std::sin(2 * std::numbers::pi * t / 420.0 + phase) +
           0.02 * noise(2, t, 30.0) + 0.002 * noise(3, t, 1.0);
}

double MeterModel::driftMv(double now) const {
    const double t = wrapTime(now);
    const double phase = hashUnit(seed_, 4, 0) * std::numbers::pi;
    const double base = (seed_ & 1u) ? -200.0 : 200.0;
    return base + 12.0 * std::sin(2 * std::numbers::pi * t / 600.0 + phase) +
           2.0 * noise(5, t, 20.0) + 0.2 * noise(6, t, 1.0);
}

double MeterModel::driftTemperatureC(double now) const {
    const double t = wrapTime(now);
    const double phase = hashUnit(seed_, 7, 0) * std::numbers::pi;
    return 25.0 + 0.4 * std::sin(2 * std::numbers::pi * t / 900.0 + phase) +
           0.05 * noise(8, t, 20.0);
}

double MeterModel::temperatureC(double now) const {
    if (fixedTempC_) return *fixedTempC_;
    if (manualTemp_) return manualTemperatureC_;
    return driftTemperatureC(now);
}

Sample MeterModel::currentSample(double now) const {
    Sample s;
    s.unit = mainUnit_;
    if (mainUnit_ == MainUnit::Ph) {
        s.value = fixedPh_ ? *fixedPh_ : driftPh(now);
    } else {
        s.value = fixedMv_ ? *fixedMv_ : driftMv(now);
    }
    s.tempUnit = tempUnit_;
    const double c = temperatureC(now);
    s.temperature = tempUnit_ == TempUnit::Celsius ? c : celsiusToFahrenheit(c);
    s.overRange = overRange_;
    s.manualTemp = manualTemp_;
    s.lowBattery = lowBattery_;
    return s;
}

bool MeterModel::stable(double now) const {
    const Sample current = currentSample(now);
    if (current.overRange || mainField(current.unit, current.value, false).outOfRange) return false;
    const double a = current.value;
    const double b = currentSample(now - kStabilityWindow).value;
    const double limit = mainUnit_ == MainUnit::Ph ? kPhStableDelta : kMvStableDelta;
    return std::fabs(a - b) < limit;
}

void MeterModel::setFixedPh(double ph) {
    fixedPh_ = ph;
    mainUnit_ = MainUnit::Ph;
}

void MeterModel::setFixedMv(double mv) {
    fixedMv_ = mv;
    mainUnit_ = MainUnit::Mv;
}

void MeterModel::setFixedTemperature(double celsius) {
    fixedTempC_ = celsius;
}

void MeterModel::clearFixedReadings() {
    fixedPh_.reset();
    fixedMv_.reset();
    fixedTempC_.reset();
}

// ---------------------------------------------------------------------------------------
// Settings, clock

void MeterModel::setScreen(Screen s) {
    screen_ = s;
    recallIndex_.reset();
    recallEmpty_ = false;
}

bool MeterModel::setInterval(int seconds) {
    if (seconds < kMinInterval || seconds > kMaxInterval) return false;
    interval_ = seconds;
    return true;
}

double MeterModel::calibrationValue() const {
    if (mainUnit_ == MainUnit::Ph) return kPhBuffers[calIndex_ % kPhBuffers.size()];
    return kMvStandards[calIndex_ % kMvStandards.size()];
}

DateTime MeterModel::clock(double now) const {
    double elapsed = std::isfinite(now) ? now - clockRefNow_ : 0.0;
    elapsed = std::clamp(elapsed, 0.0, 1e15);
    return fromMeterSeconds(clockAtRef_ + static_cast<int64_t>(std::floor(elapsed)));
}

void MeterModel::setClock(const DateTime& t, double now) {
    if (!isValid(t)) return;
    clockAtRef_ = toMeterSeconds(t);
    clockRefNow_ = clampNow(now);
}

int MeterModel::recallNumber() const {
    return recallIndex_ ? static_cast<int>(*recallIndex_) + 1 : 0;
}

// ---------------------------------------------------------------------------------------
// Memories

bool MeterModel::addSingleRecord(const SingleRecord& r) {
    if (singles_.size() >= kMaxSingleRecords) return false;
    singles_.push_back(r);
    return true;
}

std::vector<uint8_t> MeterModel::singleDump() const {
    std::vector<uint8_t> out;
    out.reserve(singles_.size() * kSingleRecordSize);
    for (const SingleRecord& r : singles_) {
        const auto bytes = encodeSingleRecord(r);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    return out;
}

bool MeterModel::addLoggedSet(const LoggedSet& set) {
    if (set.intervalSeconds < kMinInterval || set.intervalSeconds > kMaxInterval) return false;
    if (setUsed_ + encodedSize(set) >= kSetMemoryLimit) return false;
    sets_.push_back(set);
    setUsed_ += encodedSize(set);
    return true;
}

bool MeterModel::startLogging(double now) {
    now = clampNow(now);
    advance(now);
    if (setUsed_ + kSetHeaderSize + kLoggedRecordSize >= kSetMemoryLimit) return false;
    LoggedSet set;
    set.start = clock(now);
    set.intervalSeconds = interval_;
    sets_.push_back(std::move(set));
    setUsed_ += kSetHeaderSize;
    logging_ = true;
    nextLogTime_ = now;
    advance(now);  // the first record is taken at once
    return true;
}

std::vector<uint8_t> MeterModel::setDump() const {
    std::vector<uint8_t> out;
    out.reserve(setUsed_ + kSetDumpTrailer);
    for (const LoggedSet& set : sets_) {
        const auto bytes = encodeLoggedSet(set);
        out.insert(out.end(), bytes.begin(), bytes.end());
    }
    out.insert(out.end(), kSetDumpTrailer, 0x00);
    return out;
}

void MeterModel::clearMemory() {
    singles_.clear();
    sets_.clear();
    setUsed_ = 0;
    logging_ = false;
    recallIndex_.reset();
    recallEmpty_ = false;
}

void MeterModel::advance(double now) {
    now = clampNow(now);
    while (logging_ && nextLogTime_ <= now && !sets_.empty()) {
        if (setUsed_ + kLoggedRecordSize >= kSetMemoryLimit) {
            logging_ = false;  // memory full: the logger stops by itself
            break;
        }
        sets_.back().records.push_back(currentSample(nextLogTime_));
        setUsed_ += kLoggedRecordSize;
        nextLogTime_ += sets_.back().intervalSeconds;
    }
}

// ---------------------------------------------------------------------------------------
// Keys

void MeterModel::pressKey(uint8_t code, double now) {
    if (!isKnownKey(code)) return;
    now = clampNow(now);
    advance(now);
    if (code != key::kMem) memMarkUntil_ = -1e300;

    if (recallIndex_ || recallEmpty_) {
        if (recallIndex_ && code == key::kLeft) {
            if (*recallIndex_ > 0) --*recallIndex_;
            return;
        }
        if (recallIndex_ && code == key::kRight) {
            if (*recallIndex_ + 1 < singles_.size()) ++*recallIndex_;
            return;
        }
        recallIndex_.reset();
        recallEmpty_ = false;
        if (code == key::kRead || code == key::kLeft || code == key::kRight) return;
    }

    switch (code) {
        case key::kPh:
        case key::kMv: {
            const MainUnit unit = code == key::kPh ? MainUnit::Ph : MainUnit::Mv;
            if (screen_ == Screen::Calibration) {
                if (unit != mainUnit_) calIndex_ = unit == MainUnit::Ph ? 1 : 0;
            } else {
                screen_ = Screen::Measuring;
            }
            mainUnit_ = unit;
            break;
        }
        case key::kCelsius:
            tempUnit_ = TempUnit::Celsius;
            break;
        case key::kFahrenheit:
            tempUnit_ = TempUnit::Fahrenheit;
            break;
        case key::kMem:
            screen_ = Screen::Measuring;
            addSingleRecord(SingleRecord{currentSample(now), clock(now)});
            memMarkUntil_ = now + kMarkSeconds;
            break;
        case key::kCal:
            if (screen_ == Screen::Calibration) {
                screen_ = Screen::Measuring;
            } else {
                screen_ = Screen::Calibration;
                calIndex_ = mainUnit_ == MainUnit::Ph ? 1 : 0;  // 7.00 pH / 0.0 mV
            }
            break;
        case key::kToggle:
            switch (screen_) {
                case Screen::Measuring:
                    screen_ = Screen::Clock;
                    break;
                case Screen::Clock:
                    screen_ = Screen::Interval;
                    break;
                case Screen::Interval:
                case Screen::Calibration:
                    screen_ = Screen::Measuring;
                    break;
            }
            break;
        case key::kEnter:
            if (screen_ == Screen::Calibration) ++calibrationCount_;
            screen_ = Screen::Measuring;
            break;
        case key::kUp:
        case key::kDown: {
            const int step = code == key::kUp ? 1 : -1;
            if (screen_ == Screen::Interval) {
                interval_ = std::clamp(interval_ + step, kMinInterval, kMaxInterval);
            } else if (screen_ == Screen::Calibration) {
                const size_t n =
                    mainUnit_ == MainUnit::Ph ? kPhBuffers.size() : kMvStandards.size();
                calIndex_ = step > 0 ? (calIndex_ + 1) % n : (calIndex_ + n - 1) % n;
            }
            break;
        }
        case key::kRead:
            screen_ = Screen::Measuring;
            if (singles_.empty()) {
                recallEmpty_ = true;
            } else {
                recallIndex_ = singles_.size() - 1;
            }
            break;
        case key::kTens:
            if (logging_) {
                stopLogging();
            } else {
                startLogging(now);
            }
            break;
        default:  // Left/Right outside recall do nothing
            break;
    }
}

// ---------------------------------------------------------------------------------------
// Display

void MeterModel::showSampleFields(const Sample& s,
                                  std::array<uint8_t, kDisplayFrameSize>& out) const {
    putUpper(mainField(s.unit, s.value, s.overRange), out);
    putLower(temperatureField(s.temperature), out);
    out[6] = sampleStatusA(s);
    out[7] = sampleStatusB(s) & static_cast<uint8_t>(~status_b::kLowBattery);
}

std::array<uint8_t, kDisplayFrameSize> MeterModel::displayFrame(double now) {
    now = clampNow(now);
    advance(now);
    std::array<uint8_t, kDisplayFrameSize> out{};
    out[5] = kEmptySmallField;

    switch (screen_) {
        case Screen::Measuring:
            if (recallEmpty_) {
                // Nothing to recall: dashes in the current units, record number 00.
                Sample s = currentSample(now);
                s.overRange = true;
                showSampleFields(s, out);
                out[3] = out[4] = 0xFF;
                out[5] = toBcd(0);
                out[6] |= status_a::kAutoSteady;
                out[7] = status_b::kRecallMark;
            } else if (recallIndex_) {
                // A stored value does not move: "A" steady.
                showSampleFields(singles_[*recallIndex_].sample, out);
                out[5] = toBcd(static_cast<int>(*recallIndex_ + 1));
                out[6] |= status_a::kAutoSteady;
                out[7] |= status_b::kRecallMark;
            } else {
                showSampleFields(currentSample(now), out);
                out[6] |= stable(now) ? status_a::kAutoSteady : status_a::kAutoBlink;
                if (memoryMarkShown(now)) {
                    out[5] = toBcd(static_cast<int>(singles_.size()));
                    out[7] |= status_b::kMemoryMark;
                }
            }
            break;
        case Screen::Clock: {
            // Upper "MFDD": month digit, a dash, two day digits; months 10-12 light the
            // leading one. Lower "HHMM", small field the seconds.
            const DateTime t = clock(now);
            out[2] = static_cast<uint8_t>(((t.month % 10) << 4) | kDashNibble);
            out[1] = toBcd(t.day);
            out[4] = toBcd(t.hour);
            out[3] = toBcd(t.minute);
            out[5] = toBcd(t.second);
            out[7] = status_b::kClockMode;
            if (t.month >= 10) out[7] |= status_b::kUpperLeadingOne;
            break;
        }
        case Screen::Interval: {
            // Upper blank; the interval in seconds takes the first three lower digits,
            // right-aligned with blank nibbles, the fourth is blank: 10 s -> "E10E".
            out[1] = out[2] = 0xEE;
            const int v = interval_;
            const uint8_t hundreds = v >= 100 ? static_cast<uint8_t>(v / 100) : kBlankNibble;
            const uint8_t tens = v >= 10 ? static_cast<uint8_t>(v / 10 % 10) : kBlankNibble;
            out[4] = static_cast<uint8_t>((hundreds << 4) | tens);
            out[3] = static_cast<uint8_t>(((v % 10) << 4) | kBlankNibble);
            out[7] = status_b::kIntervalMode;
            break;
        }
        case Screen::Calibration: {
            // Upper the buffer/standard value; lower the temperature x10 in 'C whatever the
            // unit selected, as calibration works in 'C.
            const DigitField f = mainField(mainUnit_, calibrationValue(), false);
            putUpper(f, out);
            const double counts = std::round(temperatureC(now) * 10.0);
            if (counts >= 0 && counts <= 9999) {
                const int c = static_cast<int>(counts);
                out[4] = toBcd(c / 100);
                out[3] = toBcd(c % 100);
            } else {
                out[4] = out[3] = 0xFF;
            }
            out[6] = mainUnit_ == MainUnit::Ph ? status_a::kIsPh : status_a::kIsMv;
            out[6] |= status_a::kIsCelsius;
            if (f.negative) out[6] |= status_a::kIsNegative;
            if (manualTemp_) out[6] |= status_a::kIsManualTemp;
            out[6] |= stable(now) ? status_a::kAutoSteady : status_a::kAutoBlink;
            out[7] = status_b::kCalMode;
            if (f.leadingOne) out[7] |= status_b::kUpperLeadingOne;
            break;
        }
    }
    if (lowBattery_) out[7] |= status_b::kLowBattery;
    return out;
}

// ---------------------------------------------------------------------------------------
// Frames

std::optional<Reply> MeterModel::handleFrame(const Frame& f, double now) {
    switch (f.kind) {
        case FrameKind::DisplayPoll: {
            const auto frame = displayFrame(now);
            return Reply{f.kind, {frame.begin(), frame.end()}};
        }
        case FrameKind::Request: {
            uint8_t answer = 0;
            switch (f.bytes[1]) {
                case request::kSingleCount:
                    answer = static_cast<uint8_t>(singles_.size());
                    break;
                case request::kSetPointerHigh:
                    answer = static_cast<uint8_t>(setMemoryPointer() >> 8);
                    break;
                case request::kSetPointerLow:
                    answer = static_cast<uint8_t>(setMemoryPointer() & 0xFF);
                    break;
                case request::kInterval:
                    answer = static_cast<uint8_t>(interval_);
                    break;
                default:
                    return std::nullopt;  // unknown request: no answer
            }
            return Reply{f.kind, {answer}};
        }
        case FrameKind::Key:
            pressKey(f.bytes[1], now);
            return std::nullopt;
        case FrameKind::ClockSet:
            if (auto t = decodeDateTime(&f.bytes[1])) setClock(*t, now);
            return std::nullopt;
        case FrameKind::ClockRead: {
            const auto bcd = encodeDateTime(clock(now));
            return Reply{f.kind, {bcd.begin(), bcd.end()}};
        }
        case FrameKind::IntervalSet:
            setInterval(f.bytes[1]);
            return std::nullopt;
        case FrameKind::SingleDump:
            return Reply{f.kind, singleDump()};
        case FrameKind::SetDump:
            return Reply{f.kind, setDump()};
        case FrameKind::Unknown:
            return std::nullopt;
    }
    return std::nullopt;
}

std::vector<Reply> MeterModel::process(const uint8_t* data, size_t n, double now) {
    now = clampNow(now);
    advance(now);
    std::vector<Reply> replies;
    for (size_t i = 0; i < n; ++i) {
        if (auto frame = parser_.push(data[i])) {
            if (auto reply = handleFrame(*frame, now)) replies.push_back(std::move(*reply));
        }
    }
    return replies;
}

std::vector<uint8_t> MeterModel::feed(const uint8_t* data, size_t n, double now) {
    std::vector<uint8_t> out;
    for (Reply& r : process(data, n, now)) out.insert(out.end(), r.bytes.begin(), r.bytes.end());
    return out;
}

}  // namespace sim
