#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <optional>

#include "link/transaction.h"

// The exchanges every module asks the session's transaction queue for (transaction_queue.h):
// requests, keys and the way back to the display.
namespace serial {

// "R" + code: resent once a second until any byte comes, for at most 10 s. `then` is given the
// answer's first byte, or nothing when the meter stayed silent; further bytes of the answer are
// dropped at the next flush.
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
