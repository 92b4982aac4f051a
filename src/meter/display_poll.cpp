#include "meter/display_poll.h"

#include "core/alarm_limits.h"
#include "core/protocol.h"
#include "core/screen_render.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "link/transaction_queue.h"
#include "meter/readout.h"

namespace meter {
namespace {

constexpr int kPollAttempts = 10;
constexpr int kAnswerWaitMs = 200;
constexpr int kSettleWaitMs = 10;
constexpr int kReopenEveryMs = 1000;
constexpr int kPollIntervalMs = 500;

// " ", judged 0.2 s later: exactly nine bytes are a display frame.
serial::Transaction pollTransaction(int attempts) {
    serial::Transaction t;
    t.frame = QByteArray(1, static_cast<char>(core::protocol::kDisplayPoll));
    t.expect = serial::Transaction::Expect::ExactlyAtEnd;
    t.count = static_cast<qsizetype>(core::DisplayFrame::kSize);
    t.windowMs = kAnswerWaitMs;
    t.attempts = attempts;
    return t;
}

bool decode(const QByteArray& bytes, core::DisplayFrame& frame) {
    return core::DisplayFrame::fromBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size()), frame);
}

}  // namespace

DisplayPoll::DisplayPoll(serial::SerialLine& line, serial::TransactionQueue& queue,
                         Readout& readout, core::AlarmLimits& alarmLimits, QObject* parent)
    : QObject(parent), line_(line), queue_(queue), readout_(readout), alarmLimits_(alarmLimits) {
    timer1_.setObjectName("Timer1");
    timer1_.setInterval(kPollIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, &DisplayPoll::Timer1_Timer);
}

void DisplayPoll::start() {
    timer1_.start();
}

void DisplayPoll::stop() {
    timer1_.stop();
}

bool DisplayPoll::inLostLink() const {
    return readout_.isLinkLost();
}

void DisplayPoll::Timer1_Timer() {
    ++timerTicks_;
    readout_.mutableState().PollTick = timerTicks_;
    // A tick that finds the line in use (or waited for) is skipped; in the lost-link state the
    // probes ask the meter instead.
    if (queue_.stopped() || !queue_.idle() || readout_.isLinkLost()) return;
    serial::Transaction poll = pollTransaction(kPollAttempts);
    poll.then = [this, askedAt = timerTicks_](const serial::Answer& answer) {
        return afterPoll(answer, askedAt);
    };
    queue_.submit(this, std::move(poll));
}

serial::Next DisplayPoll::afterPoll(const serial::Answer& answer, int askedAt) {
    core::DisplayFrame frame;
    if (!answer.complete || !decode(answer.bytes, frame)) {
        failedAttempts_ += answer.attempts;
        HandleLostLink();
        return serial::Next::end(serial::Ending::failed(QStringLiteral("No Com")));
    }
    failedAttempts_ += answer.attempts - 1;
    return renderFrame(frame, false, askedAt);
}

serial::Next DisplayPoll::renderFrame(const core::DisplayFrame& frame, bool restoresLink,
                                      int askedAt) {
    serial::Transaction settle = serial::Transaction::pause(kSettleWaitMs);
    settle.then = [this, frame, restoresLink, askedAt](const serial::Answer&) {
        ReadoutState& readout = readout_.mutableState();
        core::RenderFrame(frame, readout.MeterReading, readout.Display);
        readout.RenderedTick = askedAt;
        // The new frame is on the panel before anyone hears that the meter is back, so that
        // nothing samples the emptied display.
        if (restoresLink) {
            readout.LinkLost = false;
            emit readout_.rendered();
            emit readout_.linkRestored();
        } else {
            emit readout_.rendered();
        }
        serial::Transaction rest = serial::Transaction::pause(kAnswerWaitMs);
        rest.then = [this, frame](const serial::Answer&) {
            ReadoutState& readout = readout_.mutableState();
            core::StepAnnunciators(frame, readout.MeterReading, readout.Display);
            core::EvaluateAlarm(readout.MeterReading, alarmLimits_, readout.Display);
            ++ticks_;
            emit readout_.rendered();
            return serial::Next::end();
        };
        return serial::Next::then(std::move(rest));
    };
    return serial::Next::then(std::move(settle));
}

void DisplayPoll::HandleLostLink() {
    ReadoutState& readout = readout_.mutableState();
    readout.LinkLost = true;
    core::ClearDisplayForLostLink(readout.Display);
    emit readout_.rendered();
    // Windows that need the meter close first; then the panel shows "No Com".
    emit readout_.linkLost();
    nextReopen_ = QDeadlineTimer(0);
    scheduleProbe();
}

void DisplayPoll::scheduleProbe() {
    if (queue_.stopped()) return;
    // Each probe is a transaction of its own: commands asked for meanwhile go to the line
    // between two probes instead of waiting for the meter to come back.
    serial::Transaction probe = pollTransaction(1);
    probe.then = [this, askedAt = timerTicks_](const serial::Answer& answer) {
        return afterProbe(answer, askedAt);
    };
    // A vanished device was closed when it went away; it is opened again now and then so that
    // the panel comes back by itself once the cable or adapter is back.
    if (nextReopen_.hasExpired()) {
        reopenLineIfClosed();
        nextReopen_.setRemainingTime(kReopenEveryMs);
    }
    queue_.submit(this, std::move(probe));
}

void DisplayPoll::reopenLineIfClosed() {
    if (!line_.isOpen()) line_.open();
}

serial::Next DisplayPoll::afterProbe(const serial::Answer& answer, int askedAt) {
    if (!readout_.isLinkLost()) return serial::Next::end();
    core::DisplayFrame frame;
    if (!answer.complete || !decode(answer.bytes, frame)) {
        scheduleProbe();
        return serial::Next::end(serial::Ending::failed(QStringLiteral("No Com")));
    }
    return renderFrame(frame, true, askedAt);
}

}  // namespace meter
