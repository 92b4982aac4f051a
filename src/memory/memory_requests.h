#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "memory/memory_exchange.h"

class QObject;
namespace serial {
class TransactionQueue;
}

// The short requests of the memory window: the set-memory pointer, the meter's clock and its
// logging interval. Each is a transaction (or a short chain) on the line; its result reaches the
// caller after the line was released. Nothing is told when the owner is gone first.
namespace memory {

// How long the meter may stay silent in the middle of an answer before the program gives up.
inline constexpr int kAnswerSilenceMs = 5000;

// The requests 0x50 (high byte) and 0x51 (low byte); `then` is given the set-memory pointer, or
// nothing when the meter does not answer.
serial::Transaction MemoryPointerRequest(std::function<serial::Next(std::optional<unsigned>)> then);

// The pointer, then drops whatever else is waiting.
void ReadMemoryPointer(serial::TransactionQueue& queue, QObject* owner,
                       std::function<void(const Ending&, unsigned)> done);

// "C", then the six BCD bytes of the meter's clock as "yy/mm/dd-----hh:mm:ss"; fails after
// kAnswerSilenceMs without a byte. A surplus is dropped.
void ReadMeterClock(serial::TransactionQueue& queue, QObject* owner,
                    std::function<void(const Ending&, const QString&)> done);

// The logging interval (request 0x52) as "10 sec".
void ReadLoggingInterval(serial::TransactionQueue& queue, QObject* owner,
                         std::function<void(const Ending&, const QString&)> done);

// "G" + seconds: the meter logs every `seconds` from its next set on.
void SendLoggingInterval(serial::TransactionQueue& queue, QObject* owner, std::uint8_t seconds);

// The message of a request the meter did not answer; `what` names what was asked for.
QString NoAnswerMessage(const QString& what);

}  // namespace memory
