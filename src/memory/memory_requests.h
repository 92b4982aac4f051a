#pragma once

#include <QString>
#include <cstdint>
#include <optional>

#include "memory/memory_exchange.h"

// The short requests of the memory window: the set-memory pointer, the meter's clock and its
// logging interval. Each runs inside an exchange (see RunThenFinish) and switches the display
// poll off while it talks to the meter and on again at its end.
namespace memory {

// How long the meter may stay silent in the middle of an answer before the program gives up.
inline constexpr int kAnswerSilenceMs = 5000;

// The set-memory pointer from the requests 0x50 (high byte) and 0x51 (low byte); nothing when
// the meter does not answer. Leaves the display poll off for the caller.
std::optional<unsigned> RequestMemoryPointer();

struct PointerReading {
    Ending ending;
    unsigned pointer = 0;
};
// The pointer, then drops whatever else is waiting.
PointerReading ReadMemoryPointer();

struct ClockReading {
    Ending ending;
    QString text;  // "yy/mm/dd-----hh:mm:ss"
};
// "C", then the six BCD bytes of the meter's clock; fails after kAnswerSilenceMs without a byte.
ClockReading ReadMeterClock();

struct IntervalReading {
    Ending ending;
    QString text;  // "10 sec"
};
// The logging interval (request 0x52).
IntervalReading ReadLoggingInterval();

// "G" + seconds: the meter logs every `seconds` from its next set on.
void SendLoggingInterval(std::uint8_t seconds);

// The message of a request the meter did not answer; `what` names what was asked for.
QString NoAnswerMessage(const QString& what);

}  // namespace memory
