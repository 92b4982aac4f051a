#include "link/rs232.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <cmath>

#include "core/protocol.h"
#include "link/exchange.h"
#include "link/link_events.h"
#include "link/serial_line.h"

namespace Rs232 {

namespace {

constexpr int kResendMs = 1000;
constexpr int kGiveUpMs = 10000;

char toByte(double code) {
    const long rounded = std::lround(code);
    return static_cast<char>(static_cast<unsigned char>(rounded & 0xFF));
}

QByteArray frame(std::uint8_t lead, double code) {
    return QByteArray(1, static_cast<char>(lead)) + QByteArray(1, toByte(code));
}

}  // namespace

void Attach(serial::SerialLine* line, QTimer* timer1) {
    State.Comm1 = line;
    State.Timer1 = timer1;
}

void timer1Off() {
    if (State.Timer1) State.Timer1->stop();
}

void timer1On() {
    if (State.Timer1 && !State.ShuttingDown) State.Timer1->start();
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(std::max(0, timeoutMs), Qt::PreciseTimer);
    // A single-shot timer makes sure the event loop wakes at the deadline; between events the
    // thread sleeps.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(std::max(0, timeoutMs));
    while (!State.ShuttingDown && !done() && !deadline.hasExpired()) {
        // processEvents (not a nested QEventLoop) so that windows closed meanwhile are deleted
        // only once control is back in the main loop, after the waiting handler has returned.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

void Delay(double seconds) {
    if (State.ShuttingDown || !(seconds > 0)) return;
    WaitUntil([] { return false; }, static_cast<int>(std::lround(seconds * 1000.0)));
}

void Flush() {
    if (State.Comm1) State.Comm1->flushInput();
}

void Output(const QByteArray& bytes) {
    if (!LineBusy()) qWarning("A frame for the meter was written outside an exchange");
    if (State.Comm1 && !State.ShuttingDown) State.Comm1->write(bytes);
}

QByteArray Input() {
    return State.Comm1 ? State.Comm1->readAll() : QByteArray();
}

int InBufferCount() {
    return State.Comm1 ? State.Comm1->bytesWaiting() : 0;
}

bool SendCommand(double code) {
    const QDeadlineTimer giveUp(kGiveUpMs, Qt::PreciseTimer);
    while (!State.ShuttingDown && !giveUp.hasExpired()) {
        timer1Off();
        Flush();
        Output(frame(core::protocol::kRequest, code));
        const int wait = static_cast<int>(std::min<qint64>(kResendMs, giveUp.remainingTime()));
        if (WaitUntil([] { return InBufferCount() > 0; }, wait)) {
            const QByteArray reply = Input();
            if (!reply.isEmpty()) {
                State.LastReplyByte = static_cast<unsigned char>(reply.at(0));
                return true;
            }
        }
    }
    timer1Off();
    return false;
}

void SendKey(double code) {
    Flush();
    Output(frame(core::protocol::kKey, code));
    Delay(0.02);
}

bool ShuttingDown() {
    return State.ShuttingDown;
}

void RequestShutdown() {
    if (State.ShuttingDown) return;
    State.ShuttingDown = true;
    State.WaitingExchanges.clear();
    timer1Off();
    if (State.Comm1) State.Comm1->close();
    emit events().shutdownRequested();
}

}  // namespace Rs232
