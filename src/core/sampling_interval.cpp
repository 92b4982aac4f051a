#include "core/sampling_interval.h"

#include <cmath>
#include <limits>

#include "core/text_rules.h"

namespace core {

namespace {

// Nearest whole number, halves to the even neighbour.
double roundHalfEven(double value) {
    const double nearest = std::round(value);  // halves away from zero
    if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(nearest, 2.0) != 0)
        return nearest - std::copysign(1.0, value);
    return nearest;
}

SamplingAnswer rejected(std::string reason) {
    return {SamplingAnswer::Outcome::Rejected, 0, std::move(reason)};
}

}  // namespace

SamplingAnswer ParseSamplingAnswer(std::string_view answer) {
    if (answer.empty()) return {};
    std::string text(answer);
    if (const std::size_t comma = text.find(','); comma != std::string::npos) text.erase(comma, 1);

    const std::optional<double> value = WholeNumber(text);
    if (!value) return rejected("\"" + std::string(answer) + "\" is not a number.");
    const double whole = roundHalfEven(*value);
    if (whole > std::numeric_limits<int>::max() || whole < std::numeric_limits<int>::min())
        return rejected(std::string(answer) + " is too large a number.");

    double t = whole;
    if (t > kMaxSamplingInterval) t = kMaxSamplingInterval;
    if (t < kMinSamplingInterval) t = kMinSamplingInterval;
    return {SamplingAnswer::Outcome::Set, static_cast<int>(t), {}};
}

std::string SamplingIntervalCaption(int interval) {
    return SamplingDefaultAnswer(interval) + " Sec";
}

std::string SamplingDefaultAnswer(int interval) {
    return FormatPicture(interval, "#####");
}

bool SampleIsDue(const SampleSchedule& schedule, long long second, int interval) {
    if (schedule.sampled && second == schedule.last) return false;
    if (schedule.atOnce || (schedule.sampled && second < schedule.last)) return true;
    const long long step = interval < 1 ? 1 : interval;
    return (second - schedule.anchor) / step > (schedule.last - schedule.anchor) / step;
}

void SampleTaken(SampleSchedule& schedule, long long second, bool complete) {
    const bool clockSetBack = schedule.sampled && second < schedule.last;
    schedule.last = second;
    schedule.sampled = true;
    if (!complete) {
        schedule.atOnce = true;
        return;
    }
    if (schedule.atOnce || clockSetBack) schedule.anchor = second;
    schedule.atOnce = false;
}

int MillisecondsToNextSecond(int millisecond) {
    // Past the second, never just before it: a timer that fires a little early or a clock
    // adjusted meanwhile would otherwise land in the second that has just been sampled.
    constexpr int kPastTheSecond = 5;
    const int ms = millisecond < 0 ? 0 : (millisecond > 999 ? 999 : millisecond);
    return 1000 - ms + kPastTheSecond;
}

}  // namespace core
