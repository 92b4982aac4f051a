#pragma once

#include <string>
#include <string_view>

// The sampling interval of the recording: how many ticks of the sampling timer (950 ms each)
// lie between two samples, as the user types it into the "Sampling" input box.
namespace core {

inline constexpr int kMinSamplingInterval = 1;
inline constexpr int kMaxSamplingInterval = 86400;
inline constexpr int kStartSamplingInterval = 2;

// The input box: its title and the two lines of its prompt.
inline constexpr std::string_view kSamplingInputTitle = "Input Sampling Time";
inline constexpr std::string_view kSamplingPromptFirstLine = "Enter the SAMPLING TIME in seconds";
inline constexpr std::string_view kSamplingPromptSecondLine = "(1 <= t <= 86400 ) ";

// What an answer of the input box does to the interval.
struct SamplingAnswer {
    enum class Outcome {
        Unchanged,  // empty answer or Cancel: nothing changes, nothing is said
        Set,        // `interval` is the new interval
        Rejected,   // not a number, or too large for a whole number: `reason` says which
    };
    Outcome outcome = Outcome::Unchanged;
    int interval = 0;
    std::string reason;
};

// Reads an answer: the first "," is removed (a thousands separator: "1,000" is 1000), the rest
// must be wholly a number (blanks around it allowed), rounded to a whole number with halves to
// the even neighbour (2.5 gives 2, 3.5 gives 4) and clamped to 1..86400.
SamplingAnswer ParseSamplingAnswer(std::string_view answer);

// The panel's caption of an interval: "10 Sec".
std::string SamplingIntervalCaption(int interval);
// The input box's default answer: the interval's digits, "2".
std::string SamplingDefaultAnswer(int interval);

// Whether a tick samples: the first tick after start or after a new interval (counter 0), and
// every tick once `interval` ticks have passed since the last sample.
bool SampleIsDue(long ticksSinceSample, int interval);

}  // namespace core
