#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>

// One exchange with the meter, described rather than run: what to write, what completes its
// answer, its deadlines, pauses, resends and progress reports. The line's queue
// (transaction_queue.h) runs it step by step from the event loop; nothing waits.
namespace serial {

// How a transaction (or a chain of them) ended. It ends exactly once.
struct Ending {
    enum class Kind {
        Done,     // the answer is in
        Nothing,  // the meter answered that it has nothing (e.g. no stored records)
        Failed,   // no answer, a cut-short answer, ...: `message` says what
        Dropped,  // its owner was destroyed or the program is ending before it could end
    };

    Kind kind = Kind::Done;
    QString message;

    static Ending done() { return {}; }
    static Ending nothing(const QString& message) { return {Kind::Nothing, message}; }
    static Ending failed(const QString& message) { return {Kind::Failed, message}; }
    static Ending dropped() { return {Kind::Dropped, {}}; }
    bool isDone() const { return kind == Kind::Done; }
    bool isDropped() const { return kind == Kind::Dropped; }
};

// The answer to a transaction's frame as far as it arrived.
struct Answer {
    QByteArray bytes;
    // The answer is what the transaction waited for (see Transaction::Expect).
    bool complete = false;
    // How often the frame was written.
    int attempts = 0;
};

struct Transaction;

// What follows a transaction's answer: the end of its chain with an ending, or one more
// transaction that runs at once, still holding the line, so that nothing comes in between.
struct Next {
    std::shared_ptr<Transaction> follow;
    Ending ending;

    static Next end(Ending ending = Ending::done()) { return {nullptr, std::move(ending)}; }
    static Next then(Transaction transaction);
};

struct Transaction {
    enum class Expect {
        // No answer is awaited: the transaction ends after its write and pause.
        Nothing,
        // Complete as soon as `count` bytes are in (bytes beyond them are cut off).
        AtLeast,
        // The bytes that arrived within `windowMs` of the write are judged once, at its end:
        // complete when there are exactly `count` of them.
        ExactlyAtEnd,
        // Takes whatever comes until the line has been quiet for `silenceMs`, at most
        // `windowMs`; always complete.
        UntilQuiet,
    };

    // A pause with the line held before anything else.
    int pauseBeforeMs = 0;
    // The receive buffers are emptied before each write of the frame.
    bool flush = true;
    // Written once per attempt; nothing is written when empty.
    QByteArray frame;
    // After the write, before the answer is looked at (the meter's settling time).
    int pauseAfterWriteMs = 0;

    Expect expect = Expect::Nothing;
    qsizetype count = 0;
    // Each attempt's answer must be complete within this (0: no limit).
    int windowMs = 0;
    // Gives up after this long without a byte (0: no limit).
    int silenceMs = 0;
    // Writes of the frame before the transaction gives up (0: as many as `giveUpMs` allows).
    int attempts = 1;
    // All attempts together (0: no limit).
    int giveUpMs = 0;
    // Told the count of bytes received at most every `progressEveryMs` and once at the end.
    std::function<void(qsizetype)> progress;
    int progressEveryMs = 250;
    // Empties the receive buffers once the answer is in.
    bool flushAfter = false;

    // Runs holding the line once the answer is in, complete or not, and decides what follows.
    // Without it, a complete answer (or no answer awaited) is Done and anything else Failed.
    // It may update windows, but must not open a dialog: the line is still held.
    std::function<Next(const Answer&)> then;

    // A pause with the line held.
    static Transaction pause(int ms);
};

// Called exactly once per chain, from the event loop after the line was released.
using Finished = std::function<void(const Ending&)>;

// The frames the program builds from a lead byte and one code byte: "R" + code, "F" + code.
QByteArray TwoByteFrame(std::uint8_t lead, std::uint8_t code);

}  // namespace serial
