#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/link_state.h"
#include "link/transaction.h"

class QObject;

namespace serial {
class SerialLine;
}

// The meter's serial line as the rest of the program uses it: transactions asked for in turn
// (transaction_queue.h) and the frames every module shares.
namespace serial {

class TransactionQueue;

// The panel hands over its line and the queue that runs the transactions on it at start-up.
void Attach(serial::SerialLine* line, TransactionQueue* queue);

// Asks for the line (see TransactionQueue::submit). Without a queue, or once the queue has
// stopped (the session is ending), `finished` is told Dropped at once.
void Submit(QObject* owner, Transaction first, Finished finished = {});

// A transaction holds the line.
bool LineBusy();
// Nobody holds the line and nobody waits for it. The display poll only starts then.
bool LineFree();

// "R" + code: resent once a second until any byte comes, for at most 10 s. `then` is given the
// answer's first byte, or nothing when the meter stayed
// silent; further bytes of the answer are dropped at the next flush.
Transaction Request(std::uint8_t code, std::function<Next(std::optional<std::uint8_t>)> then = {});

// A front-panel key: the buffers emptied, "F" + code written, 0.02 s for the meter.
Transaction Key(std::uint8_t code);

// Writes " " (back to the meter's display) and drops the display frame it answers with, so that
// the next transaction starts on a quiet line.
Transaction BackToDisplay();

// Drops what the meter sends beyond an announced answer, until the line has been quiet for a
// moment (at most a second), so that a surplus is never read as the answer to the next request.
Transaction DropSurplus();

}  // namespace serial
