#include "link/transaction_queue.h"

#include <algorithm>
#include <limits>

#include "link/serial_line.h"

namespace serial {
namespace {

// A transaction that awaits an answer but gives no deadline would wait forever on a silent
// meter; it gets this silence limit instead.
constexpr int kDefaultSilenceMs = 10000;

bool awaitsAnswer(const Transaction& t) {
    return t.expect != Transaction::Expect::Nothing;
}

}  // namespace

Next Next::then(Transaction transaction) {
    return {std::make_shared<Transaction>(std::move(transaction)), Ending::done()};
}

Transaction Transaction::pause(int ms) {
    Transaction t;
    t.pauseBeforeMs = ms;
    t.flush = false;
    return t;
}

QByteArray TwoByteFrame(std::uint8_t lead, std::uint8_t code) {
    QByteArray frame(2, '\0');
    frame[0] = static_cast<char>(lead);
    frame[1] = static_cast<char>(code);
    return frame;
}

TransactionQueue::TransactionQueue(serial::SerialLine* line, QObject* parent)
    : QObject(parent), line_(line) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &TransactionQueue::onTimer);
    if (line) connect(line, &serial::SerialLine::bytesArrived, this, &TransactionQueue::onBytes);
}

TransactionQueue::~TransactionQueue() {
    stop();
}

void TransactionQueue::submit(QObject* owner, Transaction first, Finished finished) {
    if (stopped_) {
        if (finished) finished(Ending::dropped());
        return;
    }
    Chain chain{owner, owner != nullptr, std::move(first), std::move(finished)};
    if (idle()) {
        begin(std::move(chain));
        return;
    }
    waiting_.push_back(std::move(chain));
    startNextSoon();
}

void TransactionQueue::stop() {
    if (stopped_) return;
    stopped_ = true;
    timer_.stop();
    std::vector<Finished> drop;
    if (running_) drop.push_back(std::move(running_->chain.finished));
    running_.reset();
    for (Chain& c : waiting_) drop.push_back(std::move(c.finished));
    waiting_.clear();
    // Endings not yet told become Dropped: nobody acts on a result once the program ends.
    for (auto& pending : toTell_) drop.push_back(std::move(pending.first));
    toTell_.clear();
    for (Finished& f : drop)
        if (f) f(Ending::dropped());
}

void TransactionQueue::startNextSoon() {
    if (startScheduled_ || running_ || waiting_.empty() || stopped_) return;
    startScheduled_ = true;
    QTimer::singleShot(0, this, &TransactionQueue::startNext);
}

void TransactionQueue::startNext() {
    startScheduled_ = false;
    if (running_ || stopped_) return;
    while (!waiting_.empty()) {
        Chain next = std::move(waiting_.front());
        waiting_.pop_front();
        if (next.hasOwner && !next.owner) {
            tell(std::move(next.finished), Ending::dropped());
            continue;
        }
        begin(std::move(next));
        return;
    }
}

void TransactionQueue::begin(Chain chain) {
    running_.emplace();
    running_->chain = std::move(chain);
    startTransaction();
}

void TransactionQueue::startTransaction() {
    ++generation_;
    Running& r = *running_;
    Transaction& t = r.chain.current;
    if (awaitsAnswer(t) && t.windowMs <= 0 && t.silenceMs <= 0 && t.giveUpMs <= 0) {
        qWarning("A transaction without a deadline gets a %d ms silence limit", kDefaultSilenceMs);
        t.silenceMs = kDefaultSilenceMs;
    }
    r.answer = Answer{};
    r.sinceStart.start();
    if (t.pauseBeforeMs > 0) {
        r.phase = Phase::PauseBefore;
        r.phaseEndsAt = t.pauseBeforeMs;
        armTimer();
        return;
    }
    writeAttempt();
}

void TransactionQueue::writeAttempt() {
    Running& r = *running_;
    const Transaction& t = r.chain.current;
    r.answer.bytes.clear();
    if (!t.frame.isEmpty()) {
        if (line_) {
            if (t.flush) line_->flushInput();
            line_->write(t.frame);
        }
        ++r.answer.attempts;
    }
    r.sinceAttempt.start();
    if (t.pauseAfterWriteMs > 0) {
        r.phase = Phase::PauseAfterWrite;
        r.phaseEndsAt = r.sinceStart.elapsed() + t.pauseAfterWriteMs;
        armTimer();
        return;
    }
    startReceiving();
}

void TransactionQueue::startReceiving() {
    Running& r = *running_;
    if (!awaitsAnswer(r.chain.current)) {
        answerIn(true);
        return;
    }
    r.phase = Phase::Receiving;
    r.sinceByte.start();
    r.sinceProgress.start();
    // Bytes that came during a pause are part of the answer.
    const quint64 generation = generation_;
    onBytes();
    if (running_ && generation_ == generation) armTimer();
}

void TransactionQueue::onBytes() {
    if (!running_ || running_->phase != Phase::Receiving) return;  // they wait in the buffer
    if (ownerGone()) {
        endChain(Ending::dropped());
        return;
    }
    Running& r = *running_;
    const Transaction& t = r.chain.current;
    const QByteArray got = line_ ? line_->readAll() : QByteArray();
    if (got.isEmpty()) return;
    r.answer.bytes.append(got);
    r.sinceByte.restart();
    if (t.expect == Transaction::Expect::AtLeast && r.answer.bytes.size() >= t.count) {
        r.answer.bytes.truncate(t.count);
        answerIn(true);
        return;
    }
    if (t.progress && r.sinceProgress.elapsed() >= t.progressEveryMs) {
        r.sinceProgress.restart();
        const quint64 generation = generation_;
        t.progress(std::min<qsizetype>(r.answer.bytes.size(), std::max<qsizetype>(t.count, 0)));
        if (!running_ || generation_ != generation) return;
    }
    armTimer();
}

void TransactionQueue::onTimer() {
    if (!running_) return;
    if (ownerGone()) {
        endChain(Ending::dropped());
        return;
    }
    Running& r = *running_;
    const qint64 now = r.sinceStart.elapsed();
    switch (r.phase) {
        case Phase::PauseBefore:
            if (now >= r.phaseEndsAt)
                writeAttempt();
            else
                armTimer();
            return;
        case Phase::PauseAfterWrite:
            if (now >= r.phaseEndsAt)
                startReceiving();
            else
                armTimer();
            return;
        case Phase::Receiving:
            judge();
            return;
    }
}

qint64 TransactionQueue::attemptWindowLeft() const {
    const Running& r = *running_;
    const Transaction& t = r.chain.current;
    qint64 left = std::numeric_limits<qint64>::max();
    if (t.windowMs > 0) left = std::min<qint64>(left, t.windowMs - r.sinceAttempt.elapsed());
    if (t.giveUpMs > 0) left = std::min<qint64>(left, t.giveUpMs - r.sinceStart.elapsed());
    return left;
}

void TransactionQueue::judge() {
    // Whatever is waiting counts before any deadline is judged.
    const quint64 generation = generation_;
    onBytes();
    if (!running_ || generation_ != generation) return;

    Running& r = *running_;
    const Transaction& t = r.chain.current;
    const bool windowOver = attemptWindowLeft() <= 0;
    const bool silent = t.silenceMs > 0 && r.sinceByte.elapsed() >= t.silenceMs;
    const bool givenUp = t.giveUpMs > 0 && r.sinceStart.elapsed() >= t.giveUpMs;
    const bool mayResend = !givenUp && (t.attempts <= 0 || r.answer.attempts < t.attempts);

    switch (t.expect) {
        case Transaction::Expect::Nothing:
            break;
        case Transaction::Expect::UntilQuiet:
            if (silent || windowOver) {
                answerIn(true);
                return;
            }
            break;
        case Transaction::Expect::ExactlyAtEnd:
        case Transaction::Expect::AtLeast: {
            const bool exact = t.expect == Transaction::Expect::ExactlyAtEnd;
            if (exact && windowOver && r.answer.bytes.size() == t.count) {
                answerIn(true);
                return;
            }
            if (silent || givenUp) {
                answerIn(false);
                return;
            }
            if (windowOver) {
                if (mayResend && !t.frame.isEmpty())
                    writeAttempt();
                else
                    answerIn(false);
                return;
            }
            break;
        }
    }
    armTimer();
}

void TransactionQueue::answerIn(bool complete) {
    Running& r = *running_;
    timer_.stop();
    const Transaction& t = r.chain.current;
    if (t.flushAfter && line_) line_->flushInput();
    r.answer.complete = complete;
    const Answer answer = r.answer;
    const auto then = t.then;
    const auto progress = t.progress;
    const quint64 generation = generation_;
    if (progress) {
        progress(answer.bytes.size());
        if (!running_ || generation_ != generation) return;
    }
    if (ownerGone()) {
        endChain(Ending::dropped());
        return;
    }
    Next next;
    if (then)
        next = then(answer);
    else
        next = Next::end(complete ? Ending::done()
                                  : Ending::failed(QStringLiteral("The meter did not answer.")));
    // The callback may have stopped the queue (the program is ending).
    if (!running_ || generation_ != generation) return;
    if (next.follow) {
        running_->chain.current = std::move(*next.follow);
        startTransaction();
        return;
    }
    endChain(std::move(next.ending));
}

void TransactionQueue::endChain(Ending ending) {
    Finished finished = std::move(running_->chain.finished);
    running_.reset();
    timer_.stop();
    ++generation_;
    tell(std::move(finished), std::move(ending));
    startNextSoon();
}

void TransactionQueue::tell(Finished finished, Ending ending) {
    if (!finished) return;
    // From the event loop, after the line was released.
    toTell_.emplace_back(std::move(finished), std::move(ending));
    if (tellScheduled_) return;
    tellScheduled_ = true;
    QTimer::singleShot(0, this, &TransactionQueue::deliverEndings);
}

void TransactionQueue::deliverEndings() {
    tellScheduled_ = false;
    std::deque<std::pair<Finished, Ending>> endings;
    endings.swap(toTell_);
    for (auto& [finished, ending] : endings) finished(ending);
}

bool TransactionQueue::ownerGone() const {
    return running_ && running_->chain.hasOwner && !running_->chain.owner;
}

void TransactionQueue::armTimer() {
    if (!running_) return;
    const Running& r = *running_;
    const Transaction& t = r.chain.current;
    qint64 wait = std::numeric_limits<qint64>::max();
    if (r.phase == Phase::Receiving) {
        wait = attemptWindowLeft();
        if (t.silenceMs > 0) wait = std::min<qint64>(wait, t.silenceMs - r.sinceByte.elapsed());
    } else {
        wait = r.phaseEndsAt - r.sinceStart.elapsed();
    }
    if (wait == std::numeric_limits<qint64>::max()) return;
    timer_.start(static_cast<int>(std::clamp<qint64>(wait, 0, std::numeric_limits<int>::max())));
}

}  // namespace serial
