// The simulated bench meter behind its frames: display, keys, clock, interval logger and the
// two record memories. Pure and deterministic: no threads, no I/O, no clock of its own. Every
// call that depends on time takes `now` (seconds on any monotonic scale); the model never goes
// back in time, so a smaller `now` than seen before counts as no time passed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "sim/frames.h"

namespace sim {

enum class Screen : uint8_t { Measuring, Clock, Interval, Calibration };

// One answer of the meter to one received frame.
struct Reply {
    FrameKind kind = FrameKind::Unknown;  // the frame answered
    std::vector<uint8_t> bytes;
};

class MeterModel {
  public:
    static constexpr size_t kMaxSingleRecords = 255;
    static constexpr uint16_t kSetMemoryStart = 0x0700;
    // The set memory's fill pointer stays below 0xFF00, so the used part stays below this.
    static constexpr size_t kSetMemoryLimit = 0xFF00 - kSetMemoryStart;
    static constexpr size_t kSetDumpTrailer = 7;  // zero bytes after the used set memory
    static constexpr int kMinInterval = 2;
    static constexpr int kMaxInterval = 255;
    static constexpr double kMarkSeconds = 2.0;      // how long MEM shows the M mark
    static constexpr double kStabilityWindow = 5.0;  // "A" steady when the reading settled
    static constexpr double kPhStableDelta = 0.010;  // ...within this over the window (pH)
    static constexpr double kMvStableDelta = 1.0;    // ...and this (mV)
    static constexpr std::array<double, 3> kPhBuffers = {4.01, 7.00, 10.01};
    static constexpr std::array<double, 3> kMvStandards = {0.0, 225.0, 475.0};

    explicit MeterModel(uint32_t seed = 1);

    // Feeds received bytes; returns everything the meter answers, back to back.
    std::vector<uint8_t> feed(const uint8_t* data, size_t n, double now);
    // Same, one Reply per answered frame; frames that get no answer yield none, an empty
    // single-record dump yields a Reply without bytes.
    std::vector<Reply> process(const uint8_t* data, size_t n, double now);
    // Brings time-driven state (logger, marks) up to `now`.
    void advance(double now);

    std::array<uint8_t, kDisplayFrameSize> displayFrame(double now);
    void pressKey(uint8_t code, double now);

    // --- reading -----------------------------------------------------------------------
    // What the meter measures at `now` in the units selected (fixed values win over drift).
    Sample currentSample(double now) const;
    double driftPh(double now) const;
    double driftMv(double now) const;
    double driftTemperatureC(double now) const;

    void setFixedPh(double ph);  // also selects pH
    void setFixedMv(double mv);  // also selects mV
    void setFixedTemperature(double celsius);
    void clearFixedReadings();  // back to the drifting reading
    void setOverRange(bool on) { overRange_ = on; }
    bool overRange() const { return overRange_; }

    // --- settings ----------------------------------------------------------------------
    MainUnit mainUnit() const { return mainUnit_; }
    void setMainUnit(MainUnit u) { mainUnit_ = u; }
    TempUnit tempUnit() const { return tempUnit_; }
    void setTempUnit(TempUnit u) { tempUnit_ = u; }
    bool manualTemp() const { return manualTemp_; }
    void setManualTemp(bool on) { manualTemp_ = on; }
    double manualTemperatureC() const { return manualTemperatureC_; }
    void setManualTemperatureC(double c) { manualTemperatureC_ = c; }
    bool lowBattery() const { return lowBattery_; }
    void setLowBattery(bool on) { lowBattery_ = on; }
    Screen screen() const { return screen_; }
    void setScreen(Screen s);
    int interval() const { return interval_; }
    bool setInterval(int seconds);  // false (and unchanged) outside 2..255
    double calibrationValue() const;
    int calibrationCount() const { return calibrationCount_; }

    // --- clock -------------------------------------------------------------------------
    DateTime clock(double now) const;
    void setClock(const DateTime& t, double now);  // ignored when t is not a valid time

    // --- recall ------------------------------------------------------------------------
    bool recalling() const { return recallIndex_.has_value(); }
    int recallNumber() const;  // 1-based number of the record shown, 0 when not recalling
    bool memoryMarkShown(double now) const { return now < memMarkUntil_; }

    // --- single records ----------------------------------------------------------------
    const std::vector<SingleRecord>& singleRecords() const { return singles_; }
    bool addSingleRecord(const SingleRecord& r);  // false when all 255 are used
    std::vector<uint8_t> singleDump() const;

    // --- logged sets -------------------------------------------------------------------
    const std::vector<LoggedSet>& loggedSets() const { return sets_; }
    bool addLoggedSet(const LoggedSet& set);  // false when it would not fit
    bool logging() const { return logging_; }
    bool startLogging(double now);  // false when the set memory cannot take a new set
    void stopLogging() { logging_ = false; }
    size_t setMemoryUsed() const { return setUsed_; }
    uint16_t setMemoryPointer() const { return static_cast<uint16_t>(kSetMemoryStart + setUsed_); }
    std::vector<uint8_t> setDump() const;

    void clearMemory();  // both memories; stops the logger

  private:
    std::optional<Reply> handleFrame(const Frame& f, double now);
    double clampNow(double now);
    double noise(uint64_t channel, double t, double period) const;
    double temperatureC(double now) const;
    void showSampleFields(const Sample& s, std::array<uint8_t, kDisplayFrameSize>& out) const;
    bool stable(double now) const;

    uint32_t seed_;
    double lastNow_ = 0.0;
    bool haveNow_ = false;
    FrameParser parser_;

    MainUnit mainUnit_ = MainUnit::Ph;
    TempUnit tempUnit_ = TempUnit::Celsius;
    bool manualTemp_ = false;
    double manualTemperatureC_ = 25.0;
    bool lowBattery_ = false;
    bool overRange_ = false;
    std::optional<double> fixedPh_;
    std::optional<double> fixedMv_;
    std::optional<double> fixedTempC_;

    Screen screen_ = Screen::Measuring;
    std::optional<size_t> recallIndex_;
    bool recallEmpty_ = false;  // READ pressed with no records stored
    double memMarkUntil_ = -1e300;
    size_t calIndex_ = 1;
    int calibrationCount_ = 0;

    int64_t clockAtRef_;      // meter seconds at clockRefNow_
    double clockRefNow_ = 0;  // model time at which the clock was set
    int interval_ = 10;

    std::vector<SingleRecord> singles_;
    std::vector<LoggedSet> sets_;
    size_t setUsed_ = 0;
    bool logging_ = false;
    double nextLogTime_ = 0;
};

}  // namespace sim
