#include "meter/display_poll.h"

#include "alarm/alarm_state.h"
#include "core/alarm_limits.h"
#include "core/protocol.h"
#include "core/screen_render.h"
#include "link/link_events.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "meter/meter_state.h"

namespace meter {
namespace {

constexpr int kPollAttempts = 10;
constexpr int kAnswerWaitMs = 200;
constexpr int kSettleWaitMs = 10;
constexpr int kReopenEveryMs = 1000;

// " ", judged 0.2 s later: exactly nine bytes are a display frame.
Rs232::Transaction pollTransaction(int attempts) {
    Rs232::Transaction t;
    t.frame = QByteArray(1, static_cast<char>(core::protocol::kDisplayPoll));
    t.expect = Rs232::Transaction::Expect::ExactlyAtEnd;
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

DisplayPoll::DisplayPoll(QObject* parent) : QObject(parent) {}

bool DisplayPoll::inLostLink() const {
    return Meter::State.LinkLost;
}

void DisplayPoll::Timer1_Timer() {
    ++timerTicks_;
    Meter::State.PollTick = timerTicks_;
    // A tick that finds the line in use (or waited for) is skipped; in the lost-link state the
    // probes ask the meter instead.
    if (Rs232::ShuttingDown() || !Rs232::LineFree() || Meter::State.LinkLost) return;
    Rs232::Transaction poll = pollTransaction(kPollAttempts);
    poll.then = [this, askedAt = timerTicks_](const Rs232::Answer& answer) {
        return afterPoll(answer, askedAt);
    };
    Rs232::Submit(this, std::move(poll));
}

Rs232::Next DisplayPoll::afterPoll(const Rs232::Answer& answer, int askedAt) {
    core::DisplayFrame frame;
    if (!answer.complete || !decode(answer.bytes, frame)) {
        failedAttempts_ += answer.attempts;
        HandleLostLink();
        return Rs232::Next::end(Rs232::Ending::failed(QStringLiteral("No Com")));
    }
    failedAttempts_ += answer.attempts - 1;
    return renderFrame(frame, false, askedAt);
}

Rs232::Next DisplayPoll::renderFrame(const core::DisplayFrame& frame, bool restoresLink,
                                     int askedAt) {
    Rs232::Transaction settle = Rs232::Transaction::pause(kSettleWaitMs);
    settle.then = [this, frame, restoresLink, askedAt](const Rs232::Answer&) {
        Meter::ReadoutState& readout = Meter::State;
        core::RenderFrame(frame, readout.MeterReading, readout.Display);
        readout.RenderedTick = askedAt;
        // The new frame is on the panel before anyone hears that the meter is back, so that
        // nothing samples the emptied display.
        if (restoresLink) {
            readout.LinkLost = false;
            emit rendered();
            emit linkRestored();
            emit Rs232::events().linkRestored();
        } else {
            emit rendered();
        }
        Rs232::Transaction rest = Rs232::Transaction::pause(kAnswerWaitMs);
        rest.then = [this, frame](const Rs232::Answer&) {
            Meter::ReadoutState& readout = Meter::State;
            core::StepAnnunciators(frame, readout.MeterReading, readout.Display);
            core::EvaluateAlarm(readout.MeterReading, Alarm::State.AlarmLimits, readout.Display);
            ++ticks_;
            emit rendered();
            return Rs232::Next::end();
        };
        return Rs232::Next::then(std::move(rest));
    };
    return Rs232::Next::then(std::move(settle));
}

void DisplayPoll::HandleLostLink() {
    Meter::State.LinkLost = true;
    core::ClearDisplayForLostLink(Meter::State.Display);
    emit rendered();
    // Windows that need the meter close themselves first; then the panel shows "No Com".
    emit Rs232::events().linkLost();
    emit linkLost();
    nextReopen_ = QDeadlineTimer(0);
    scheduleProbe();
}

void DisplayPoll::scheduleProbe() {
    if (Rs232::ShuttingDown()) return;
    // Each probe is a transaction of its own: commands asked for meanwhile go to the line
    // between two probes instead of waiting for the meter to come back.
    Rs232::Transaction probe = pollTransaction(1);
    probe.then = [this, askedAt = timerTicks_](const Rs232::Answer& answer) {
        return afterProbe(answer, askedAt);
    };
    // A vanished device was closed when it went away; it is opened again now and then so that
    // the panel comes back by itself once the cable or adapter is back.
    if (nextReopen_.hasExpired()) {
        reopenLineIfClosed();
        nextReopen_.setRemainingTime(kReopenEveryMs);
    }
    Rs232::Submit(this, std::move(probe));
}

void DisplayPoll::reopenLineIfClosed() {
    serial::SerialLine* line = Rs232::State.Comm1;
    if (line && !line->isOpen()) line->open();
}

Rs232::Next DisplayPoll::afterProbe(const Rs232::Answer& answer, int askedAt) {
    if (!Meter::State.LinkLost) return Rs232::Next::end();
    core::DisplayFrame frame;
    if (!answer.complete || !decode(answer.bytes, frame)) {
        scheduleProbe();
        return Rs232::Next::end(Rs232::Ending::failed(QStringLiteral("No Com")));
    }
    return renderFrame(frame, true, askedAt);
}

}  // namespace meter
