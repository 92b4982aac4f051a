#include "sim/demo_memory.h"

#include <cmath>
#include <iterator>
#include <numbers>

namespace sim {

namespace {

constexpr int64_t kMinute = 60;
constexpr int64_t kHour = 60 * kMinute;
constexpr int64_t kDay = 24 * kHour;

Sample ph(double value, double celsius = 25.0) {
    return Sample{MainUnit::Ph, value, TempUnit::Celsius, celsius};
}

Sample mv(double value, double celsius = 25.0) {
    return Sample{MainUnit::Mv, value, TempUnit::Celsius, celsius};
}

Sample fahrenheit(Sample s) {
    s.tempUnit = TempUnit::Fahrenheit;
    s.temperature = celsiusToFahrenheit(s.temperature);
    return s;
}

// A slow, smooth wobble for record i, the same on every run.
double wobble(int i, double period, double amplitude) {
    return amplitude * std::sin(2.0 * std::numbers::pi * i / period);
}

LoggedSet loggedSet(int64_t start, int interval, int count, Sample (*sample)(int)) {
    LoggedSet set{fromMeterSeconds(start), interval, {}};
    for (int i = 0; i < count; ++i) set.records.push_back(sample(i));
    return set;
}

void addSingles(MeterModel& m, int64_t now) {
    Sample mtc = ph(7.401, 20.0);
    mtc.manualTemp = true;
    Sample low = ph(9.182, 24.6);
    low.lowBattery = true;
    Sample over = mv(0.0, 25.2);
    over.overRange = true;
    Sample hot = fahrenheit(mv(-45.2, 40.25));  // 104.45 'F: the lower leading one
    const Sample singles[] = {
        ph(7.012, 25.3),
        ph(4.005, 24.8),
        ph(10.012, 25.1),  // upper leading one
        mv(215.3, 25.0),
        mv(-183.7, 24.9),
        fahrenheit(ph(6.874, 25.3)),
        fahrenheit(mv(1024.6, 23.5)),  // upper leading one
        mtc,
        low,
        over,
        hot,
        ph(7.000, 25.0),
    };
    const int64_t count = static_cast<int64_t>(std::size(singles));
    for (int64_t i = 0; i < count; ++i) {
        const int64_t when = now - (count - i) * 23 * kMinute - i * 7;
        m.addSingleRecord(SingleRecord{singles[i], fromMeterSeconds(when)});
    }
}

void addSets(MeterModel& m, int64_t now) {
    const int64_t today = now - now % kDay;
    m.addLoggedSet(loggedSet(today - 6 * kDay + 9 * kHour + 7 * kMinute, 10, 3,
                             [](int i) { return ph(7.012 + 0.004 * i, 25.3); }));
    m.addLoggedSet(loggedSet(today - 5 * kDay + 14 * kHour + 30 * kMinute, 30, 40, [](int i) {
        return mv(182.0 + wobble(i, 40, 6.0) + 0.3 * i, 24.0 + 0.02 * i);
    }));
    m.addLoggedSet(
        loggedSet(today - 4 * kDay + 11 * kHour, 60, 1, [](int) { return ph(4.010, 25.0); }));
    m.addLoggedSet(loggedSet(today - 3 * kDay + 8 * kHour + 15 * kMinute, 5, 360, [](int i) {
        Sample s = ph(6.95 + wobble(i, 120, 0.05) + 0.0001 * i, 25.0 + wobble(i, 360, 0.4));
        s.overRange = i == 200;  // the electrode out of the sample for a moment
        return s;
    }));
    m.addLoggedSet(loggedSet(today - 2 * kDay + 23 * kHour + 45 * kMinute, 60, 40, [](int i) {
        return fahrenheit(mv(-120.0 + wobble(i, 30, 15.0), 21.0 - 0.05 * i));
    }));
}

}  // namespace

void fillDemoMemory(MeterModel& model, const DateTime& now) {
    model.clearMemory();
    const int64_t seconds = toMeterSeconds(now);
    addSingles(model, seconds);
    addSets(model, seconds);
}

}  // namespace sim
