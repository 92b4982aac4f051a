#include "meter/display_poll.h"

#include "alarm/alarm_state.h"
#include "core/alarm_limits.h"
#include "core/protocol.h"
#include "core/screen_render.h"
#include "link/exchange.h"
#include "link/link_events.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "meter/meter_state.h"

namespace meter {
namespace {

constexpr int kPollAttempts = 10;
constexpr double kAnswerWait = 0.2;
constexpr double kSettleWait = 0.01;
constexpr int kReopenEveryMs = 1000;
const QByteArray kPollFrame(1, static_cast<char>(core::protocol::kDisplayPoll));

// Clears a flag when the scope ends, whatever path it takes.
class FlagGuard {
  public:
    explicit FlagGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagGuard() { flag_ = false; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

  private:
    bool& flag_;
};

bool frameWaiting() {
    return Rs232::InBufferCount() == static_cast<int>(core::DisplayFrame::kSize);
}

}  // namespace

DisplayPoll::DisplayPoll(QObject* parent) : QObject(parent) {}

bool DisplayPoll::inLostLink() const {
    return Meter::State.LinkLost;
}

bool DisplayPoll::pollOnce() {
    Rs232::Flush();
    Rs232::Output(kPollFrame);
    Rs232::Delay(kAnswerWait);
    return frameWaiting();
}

void DisplayPoll::Timer1_Timer() {
    // A tick that finds the line in use (or waited for) is skipped; in the lost-link state the
    // probes ask the meter instead.
    if (inTick_ || Rs232::ShuttingDown() || !Rs232::LineFree() || Meter::State.LinkLost) return;
    FlagGuard guard(inTick_);
    Rs232::Exchange hold;

    int attempts = 0;
    while (!pollOnce()) {
        if (Rs232::ShuttingDown()) return;
        ++failedAttempts_;
        if (++attempts >= kPollAttempts) {
            HandleLostLink();
            return;
        }
    }
    finishTick();
}

void DisplayPoll::finishTick() {
    const QByteArray bytes = Rs232::Input();
    core::DisplayFrame frame;
    if (!core::DisplayFrame::fromBytes(
            reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            std::min<std::size_t>(bytes.size(), core::DisplayFrame::kSize), frame))
        return;
    Rs232::Delay(kSettleWait);
    if (Rs232::ShuttingDown()) return;

    Meter::ReadoutState& readout = Meter::State;
    core::RenderFrame(frame, readout.MeterReading, readout.Display);
    emit rendered();
    Rs232::Delay(kAnswerWait);
    if (Rs232::ShuttingDown()) return;

    core::StepAnnunciators(frame, readout.MeterReading, readout.Display);
    core::EvaluateAlarm(readout.MeterReading, Alarm::State.AlarmLimits, readout.Display);
    ++ticks_;
    emit rendered();
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
    // Each probe is an exchange of its own: commands asked for meanwhile go to the line between
    // two probes instead of waiting for the meter to come back.
    Rs232::RunExchange(this, [this] { probe(); });
}

void DisplayPoll::reopenLineIfClosed() {
    serial::SerialLine* line = Rs232::State.Comm1;
    if (line && !line->isOpen()) line->open();
}

void DisplayPoll::probe() {
    if (!Meter::State.LinkLost || Rs232::ShuttingDown()) return;
    // A vanished device was closed when it went away; try to open it again now and then so that
    // the panel comes back by itself once the cable or adapter is back.
    if (nextReopen_.hasExpired()) {
        reopenLineIfClosed();
        nextReopen_.setRemainingTime(kReopenEveryMs);
    }
    if (!pollOnce()) {
        if (!Rs232::ShuttingDown()) scheduleProbe();
        return;
    }
    Meter::State.LinkLost = false;
    emit linkRestored();
    emit Rs232::events().linkRestored();
    finishTick();
}

}  // namespace meter
