#include "memory/memory_requests.h"

#include "link/transaction_queue.h"

#include <memory>

#include "core/memory_texts.h"
#include "core/protocol.h"
#include "core/set_memory.h"
#include "link/rs232.h"

namespace memory {
namespace {

namespace protocol = core::protocol;
using serial::Next;

constexpr int kIntervalSettleMs = 20;

// Tells `done` the result the chain left in `result`, unless the chain was dropped.
template <class Result>
serial::Finished tellResult(std::shared_ptr<Result> result,
                            std::function<void(const Ending&, const Result&)> done) {
    return [result, done = std::move(done)](const Ending& ending) {
        if (!ending.isDropped() && done) done(ending, *result);
    };
}

}  // namespace

QString NoAnswerMessage(const QString& what) {
    return QStringLiteral("The meter did not answer the request for %1.").arg(what);
}

serial::Transaction MemoryPointerRequest(std::function<Next(std::optional<unsigned>)> then) {
    return serial::Request(
        protocol::request::kSetPointerHigh, [then](std::optional<std::uint8_t> high) {
            if (!high) return then(std::nullopt);
            return Next::then(
                serial::Request(protocol::request::kSetPointerLow,
                                [then, high = *high](std::optional<std::uint8_t> low) {
                                    if (!low) return then(std::nullopt);
                                    return then(core::MemoryPointer(high, *low));
                                }));
        });
}

void ReadMemoryPointer(serial::TransactionQueue& queue, QObject* owner,
                       std::function<void(const Ending&, unsigned)> done) {
    auto pointer = std::make_shared<unsigned>(0);
    serial::Transaction request = MemoryPointerRequest([pointer](std::optional<unsigned> p) {
        if (!p)
            return Next::end(Ending::failed(NoAnswerMessage(QStringLiteral("its memory pointer"))));
        *pointer = *p;
        return Next::then(FlushLine());
    });
    queue.submit(owner, std::move(request), tellResult<unsigned>(pointer, std::move(done)));
}

void ReadMeterClock(serial::TransactionQueue& queue, QObject* owner,
                    std::function<void(const Ending&, const QString&)> done) {
    auto text = std::make_shared<QString>();
    serial::Transaction read = Dump(
        protocol::kClockRead, static_cast<qsizetype>(protocol::kClockReplySize), kAnswerSilenceMs);
    read.then = [text](const serial::Answer& answer) {
        Ending ending;
        if (answer.complete)
            *text = QString::fromStdString(core::MeterClockText(BytesOf(answer.bytes)));
        else
            ending = Ending::failed(
                QStringLiteral("The meter did not send its clock: no byte for %1 seconds (%2 of "
                               "%3 bytes arrived).")
                    .arg(kAnswerSilenceMs / 1000)
                    .arg(answer.bytes.size())
                    .arg(protocol::kClockReplySize));
        serial::Transaction drop = serial::DropSurplus();
        drop.then = [ending](const serial::Answer&) { return Next::end(ending); };
        return Next::then(std::move(drop));
    };
    queue.submit(owner, std::move(read), tellResult<QString>(text, std::move(done)));
}

void ReadLoggingInterval(serial::TransactionQueue& queue, QObject* owner,
                         std::function<void(const Ending&, const QString&)> done) {
    auto text = std::make_shared<QString>();
    serial::Transaction request =
        serial::Request(protocol::request::kInterval, [text](std::optional<std::uint8_t> seconds) {
            if (!seconds)
                return Next::end(
                    Ending::failed(NoAnswerMessage(QStringLiteral("its sampling interval"))));
            *text = QString::fromStdString(core::IntervalText(*seconds));
            return Next::end();
        });
    queue.submit(owner, std::move(request), tellResult<QString>(text, std::move(done)));
}

void SendLoggingInterval(serial::TransactionQueue& queue, QObject* owner, std::uint8_t seconds) {
    serial::Transaction send;
    const auto frame = protocol::IntervalFrame(seconds);
    send.frame = QByteArray(reinterpret_cast<const char*>(frame.data()),
                            static_cast<qsizetype>(frame.size()));
    send.pauseAfterWriteMs = kIntervalSettleMs;
    queue.submit(owner, std::move(send));
}

}  // namespace memory
