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

bool SampleIsDue(long ticksSinceSample, int interval) {
    return ticksSinceSample == 0 || ticksSinceSample >= interval;
}

}  // namespace core
