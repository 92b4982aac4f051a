#pragma once

#include <QPointer>
#include <optional>

namespace serial {
class SerialLine;
}

namespace serial {

class TransactionQueue;

// Everything the meter link keeps for the run of the program.
struct LinkState {
    // The line and the queue of transactions on it, both owned by the panel.
    QPointer<serial::SerialLine> Comm1;
    QPointer<TransactionQueue> Queue;
};

extern LinkState State;
// Back to the start values; the line and its queue are forgotten.
void ResetState();

}  // namespace serial
