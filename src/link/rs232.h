#pragma once

#include <QByteArray>
#include <functional>
#include <optional>

class QTimer;

namespace serial {
class SerialLine;
}

// The shared operations on the meter's serial line and the state that goes with them.
namespace Rs232 {

// Port chosen in the Port window, 1 to 8; 0 until chosen.
extern int CommPortNumber;
// First byte of the reply to the latest successful SendCommand; empty until then.
extern std::optional<unsigned char> LastReplyByte;

// The line used by every exchange (owned by the Panel window); may be null.
serial::SerialLine* Comm1();
void setComm1(serial::SerialLine* line);

// The display poll timer (owned by the Panel window), switched off around every other exchange.
QTimer* Timer1();
void setTimer1(QTimer* timer);
void timer1Off();
void timer1On();

// Waits `seconds` on a monotonic clock in a nested event loop that sleeps until the next event
// or the deadline; windows stay responsive and other timers tick meanwhile. Returns at once
// once the program is ending.
void Delay(double seconds);

// Waits until `done` holds, at most `timeoutMs` milliseconds, sleeping in the event loop until
// the next event (bytes arriving, a timer, a click) or the deadline. Returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// Empties the receive buffers.
void Flush();
// Writes bytes to the line (nothing when there is no line).
void Output(const QByteArray& bytes);
// Takes every waiting byte.
QByteArray Input();
// Bytes waiting.
int InBufferCount();

// Sends the request "R" + code and waits for any answer, resending once a second. Switches the
// display poll off and leaves it off for the caller. Returns true with the answer's first byte in
// LastReplyByte; returns false (LastReplyByte unchanged) after 10 s without a byte or when the
// program is ending, so that callers end through their failure path.
bool SendCommand(double code);

// Presses a meter key: flush, write "F" + code, wait 0.02 s. The caller brackets it with
// timer1Off() / timer1On().
void SendKey(double code);

// The program is ending: every wait returns at once and no new exchange starts.
bool ShuttingDown();
// Marks the program as ending, closes the line and runs the quit action (by default
// QCoreApplication::quit; tests install their own).
void RequestShutdown();
void setQuitAction(std::function<void()> action);
// For tests that run several program lifetimes in one process.
void ResetForTests();

}  // namespace Rs232
