#include "link/rs232.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QTimer>
#include <cmath>

#include "link/serial_line.h"

namespace Rs232 {

int CommPortNumber = 0;
std::optional<unsigned char> LastReplyByte;

namespace {

QPointer<serial::SerialLine> line;
QPointer<QTimer> displayPollTimer;
bool shuttingDown = false;
std::function<void()> quitAction;

constexpr int kResendMs = 1000;
constexpr int kGiveUpMs = 10000;

unsigned char toByte(double code) {
    const long rounded = std::lround(code);
    return static_cast<unsigned char>(rounded & 0xFF);
}

}  // namespace

serial::SerialLine* Comm1() { return line; }
void setComm1(serial::SerialLine* serialLine) { line = serialLine; }

QTimer* Timer1() { return displayPollTimer; }
void setTimer1(QTimer* timer) { displayPollTimer = timer; }

void timer1Off() {
    if (displayPollTimer) displayPollTimer->stop();
}

void timer1On() {
    if (displayPollTimer && !shuttingDown) displayPollTimer->start();
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const QDeadlineTimer deadline(std::max(0, timeoutMs), Qt::PreciseTimer);
    // A single-shot timer makes sure the event loop wakes at the deadline; between events the
    // thread sleeps.
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(std::max(0, timeoutMs));
    while (!shuttingDown && !done() && !deadline.hasExpired()) {
        // processEvents (not a nested QEventLoop) so that windows closed meanwhile are deleted
        // only once control is back in the main loop, after the waiting handler has returned.
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return done();
}

void Delay(double seconds) {
    if (shuttingDown || !(seconds > 0)) return;
    WaitUntil([] { return false; }, static_cast<int>(std::lround(seconds * 1000.0)));
}

void Flush() {
    if (line) line->flushInput();
}

void Output(const QByteArray& bytes) {
    if (line && !shuttingDown) line->write(bytes);
}

QByteArray Input() { return line ? line->readAll() : QByteArray(); }

int InBufferCount() { return line ? line->bytesWaiting() : 0; }

bool SendCommand(double code) {
    const QDeadlineTimer giveUp(kGiveUpMs, Qt::PreciseTimer);
    const QByteArray frame{"R", 1};
    while (!shuttingDown && !giveUp.hasExpired()) {
        timer1Off();
        Flush();
        Output(frame + QByteArray(1, static_cast<char>(toByte(code))));
        const int wait = static_cast<int>(std::min<qint64>(kResendMs, giveUp.remainingTime()));
        if (WaitUntil([] { return InBufferCount() > 0; }, wait)) {
            const QByteArray reply = Input();
            if (!reply.isEmpty()) {
                LastReplyByte = static_cast<unsigned char>(reply.at(0));
                return true;
            }
        }
    }
    timer1Off();
    return false;
}

void SendKey(double code) {
    Flush();
    Output(QByteArray("F", 1) + QByteArray(1, static_cast<char>(toByte(code))));
    Delay(0.02);
}

bool ShuttingDown() { return shuttingDown; }

void setQuitAction(std::function<void()> action) { quitAction = std::move(action); }

void RequestShutdown() {
    if (shuttingDown) return;
    shuttingDown = true;
    timer1Off();
    if (line) line->close();
    if (quitAction)
        quitAction();
    else
        QCoreApplication::quit();
}

void ResetForTests() {
    shuttingDown = false;
    CommPortNumber = 0;
    LastReplyByte.reset();
    line = nullptr;
    displayPollTimer = nullptr;
}

}  // namespace Rs232
