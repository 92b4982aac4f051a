#pragma once

#include <string>
#include <string_view>

// The sampling interval of the recording: how many seconds of the PC clock lie between two
// samples, as the user types it into the "Sampling" input box, and the whole seconds the
// samples fall on.
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

// When samples fall. The sampling tick runs once on each whole second of the PC clock. A sample
// is due on the first tick (at start, after a new interval, after a tick that ended early),
// then each time the seconds since the sample that started the count reach the next multiple
// of the interval. Counting the clock's seconds, not ticks, keeps consecutive samples exactly
// `interval` seconds apart over hours: a tick that fires late still samples its own second,
// and the next sample falls on the next multiple again. One second never gives two samples.
struct SampleSchedule {
    bool atOnce = true;    // the next tick samples
    bool sampled = false;  // a sample has been taken
    long long anchor = 0;  // the second of the sample the count starts from
    long long last = 0;    // the second of the latest sample
};

// Whether a tick at `second` (seconds of the PC clock since any fixed origin) samples. A clock
// set back before the latest sample samples at once and starts the count afresh.
bool SampleIsDue(const SampleSchedule& schedule, long long second, int interval);
// The tick at `second` took its sample. `complete` is false for a tick that ended early (a
// graph placed the first point of a trace): the next tick then samples again and starts the
// count afresh.
void SampleTaken(SampleSchedule& schedule, long long second, bool complete);

// Milliseconds from `millisecond` (0-999) within the PC clock's current second to a few
// milliseconds past the next whole second: the delay that re-arms the sampling tick.
int MillisecondsToNextSecond(int millisecond);

}  // namespace core
