#include "link/rs232.h"

#include "core/protocol.h"
#include "link/serial_line.h"

namespace serial {

namespace {

constexpr int kResendMs = 1000;
constexpr int kGiveUpMs = 10000;
constexpr int kKeySettleMs = 20;
constexpr int kDisplayAnswerMs = 200;
constexpr int kQuietMs = 100;
constexpr int kMaxSurplusMs = 1000;

}  // namespace

Transaction Request(std::uint8_t code, std::function<Next(std::optional<std::uint8_t>)> then) {
    Transaction t;
    t.frame = TwoByteFrame(core::protocol::kRequest, code);
    t.expect = Transaction::Expect::AtLeast;
    t.count = 1;
    t.windowMs = kResendMs;
    t.attempts = 0;
    t.giveUpMs = kGiveUpMs;
    t.then = [then = std::move(then)](const Answer& answer) {
        std::optional<std::uint8_t> first;
        if (answer.complete && !answer.bytes.isEmpty()) {
            first = static_cast<std::uint8_t>(answer.bytes.at(0));
        }
        if (then) return then(first);
        return Next::end(first ? Ending::done()
                               : Ending::failed(QStringLiteral("The meter did not answer.")));
    };
    return t;
}

Transaction Key(std::uint8_t code) {
    Transaction t;
    t.frame = TwoByteFrame(core::protocol::kKey, code);
    t.pauseAfterWriteMs = kKeySettleMs;
    return t;
}

Transaction BackToDisplay() {
    Transaction t;
    t.flush = false;
    t.frame = QByteArray(1, static_cast<char>(core::protocol::kDumpEnd));
    t.expect = Transaction::Expect::AtLeast;
    t.count = static_cast<qsizetype>(core::protocol::kDisplayFrameSize);
    t.windowMs = kDisplayAnswerMs;
    t.flushAfter = true;
    t.then = [](const Answer&) { return Next::end(); };
    return t;
}

Transaction DropSurplus() {
    Transaction t;
    t.flush = false;
    t.expect = Transaction::Expect::UntilQuiet;
    t.silenceMs = kQuietMs;
    t.windowMs = kMaxSurplusMs;
    t.flushAfter = true;
    return t;
}

}  // namespace serial
