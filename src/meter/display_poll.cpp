#include "meter/display_poll.h"

#include <QDeadlineTimer>

#include "core/alarm_limits.h"
#include "core/screen_render.h"
#include "link/rs232.h"
#include "link/serial_line.h"
#include "meter/meter_state.h"

namespace meter {
namespace {

constexpr int kPollAttempts = 10;
constexpr double kAnswerWait = 0.2;
constexpr int kReopenEveryMs = 1000;

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

}  // namespace

DisplayPoll::DisplayPoll(QObject* parent) : QObject(parent) {}

bool DisplayPoll::pollOnce() {
    Rs232::Flush();
    Rs232::Output(QByteArray(" ", 1));
    Rs232::Delay(kAnswerWait);
    return Rs232::InBufferCount() == static_cast<int>(core::DisplayFrame::kSize);
}

void DisplayPoll::Timer1_Timer() {
    if (inTick_ || Rs232::ShuttingDown()) return;
    FlagGuard guard(inTick_);

    int attempts = 0;
    while (!pollOnce()) {
        if (Rs232::ShuttingDown()) return;
        if (++attempts >= kPollAttempts) {
            HandleLostLink();
            if (Rs232::ShuttingDown()) return;
            break;
        }
    }
    const QByteArray bytes = Rs232::Input();
    core::DisplayFrame frame;
    if (!core::DisplayFrame::fromBytes(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                       std::min<std::size_t>(bytes.size(), 9), frame))
        return;
    Rs232::Delay(0.01);
    if (Rs232::ShuttingDown()) return;

    core::RenderFrame(frame, Meter::MeterReading, panel_);
    emit rendered();
    Rs232::Delay(kAnswerWait);
    if (Rs232::ShuttingDown()) return;

    core::StepAnnunciators(frame, Meter::MeterReading, panel_);
    if (limits_) core::EvaluateAlarm(Meter::MeterReading, *limits_, panel_);
    ++ticks_;
    emit rendered();
}

void DisplayPoll::reopenLineIfClosed() {
    serial::SerialLine* line = Rs232::Comm1();
    if (line && !line->isOpen()) line->open();
}

void DisplayPoll::HandleLostLink() {
    lostLink_ = true;
    core::ClearValuesForLostLink(panel_);
    emit rendered();
    emit linkLost();

    QDeadlineTimer nextReopen(0);
    while (Rs232::InBufferCount() != static_cast<int>(core::DisplayFrame::kSize)) {
        if (Rs232::ShuttingDown()) return;
        // A vanished device was closed when it went away; try to open it again now and then so
        // that the panel comes back by itself once the cable or adapter is back.
        if (nextReopen.hasExpired()) {
            reopenLineIfClosed();
            nextReopen.setRemainingTime(kReopenEveryMs);
        }
        Rs232::Flush();
        Rs232::Output(QByteArray(" ", 1));
        Rs232::Delay(kAnswerWait);
    }
    lostLink_ = false;
    emit linkRestored();
}

}  // namespace meter
