#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <deque>
#include <optional>

#include "link/transaction.h"

namespace serial {
class SerialLine;
}

namespace serial {

// Runs the transactions on the meter's line one at a time, in the order asked. A running chain
// is a small state machine driven by the line's bytesArrived signal and one timer: every step
// runs from the main event loop and returns at once. Each chain ends exactly once: with the
// ending its transactions decided, or Dropped when its owner is destroyed or the queue is
// stopped (the program ends). The ending reaches its caller from the event loop, after the line
// was released, so that a message box shown then never holds the line.
class TransactionQueue : public QObject {
    Q_OBJECT
  public:
    explicit TransactionQueue(serial::SerialLine* line, QObject* parent = nullptr);
    ~TransactionQueue() override;

    // Asks for the line. The chain starts at once when the line is idle, otherwise after the
    // chains asked for before. It is dropped when `owner` (if given) is destroyed first.
    void submit(QObject* owner, Transaction first, Finished finished = {});

    // Nobody holds the line and nobody waits for it.
    bool idle() const { return !running_ && waiting_.empty(); }
    // A chain holds the line.
    bool busy() const { return running_.has_value(); }
    // Chains waiting for the line.
    std::size_t waiting() const { return waiting_.size(); }

    // Drops the running and every waiting chain (their endings are Dropped, told at once) and
    // takes no more. Used when the program ends.
    void stop();
    bool stopped() const { return stopped_; }

  private:
    enum class Phase { PauseBefore, PauseAfterWrite, Receiving };

    struct Chain {
        QPointer<QObject> owner;
        bool hasOwner = false;
        Transaction current;
        Finished finished;
    };

    struct Running {
        Chain chain;
        Phase phase = Phase::PauseBefore;
        Answer answer;
        QElapsedTimer sinceStart;     // the transaction's start, for giveUpMs
        QElapsedTimer sinceAttempt;   // the latest write, for windowMs
        QElapsedTimer sinceByte;      // the latest byte (or the start of receiving)
        QElapsedTimer sinceProgress;  // the latest progress report
        qint64 phaseEndsAt = 0;       // for pauses: sinceStart time at which the pause ends
    };

    void startNextSoon();
    void startNext();
    void begin(Chain chain);
    void startTransaction();
    void writeAttempt();
    void startReceiving();
    void onBytes();
    void onTimer();
    void judge();
    void answerIn(bool complete);
    void endChain(Ending ending);
    void tell(Finished finished, Ending ending);
    void deliverEndings();
    bool ownerGone() const;
    void armTimer();
    qint64 attemptWindowLeft() const;

    QPointer<serial::SerialLine> line_;
    QTimer timer_;
    std::optional<Running> running_;
    std::deque<Chain> waiting_;
    bool startScheduled_ = false;
    std::deque<std::pair<Finished, Ending>> toTell_;
    bool tellScheduled_ = false;
    bool stopped_ = false;
    // Counts the transactions begun, so that a step can tell whether the transaction it
    // belongs to is still the one running after a callback returned.
    quint64 generation_ = 0;
};

}  // namespace serial
