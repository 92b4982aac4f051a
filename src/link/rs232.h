#pragma once

#include <QByteArray>
#include <functional>

#include "link/link_state.h"

class QTimer;

namespace serial {
class SerialLine;
}

// The shared operations on the meter's serial line. They run inside an exchange (see
// link/exchange.h), which holds the line while they write and wait.
namespace Rs232 {

// The panel hands over its line and its display-poll timer at start-up.
void Attach(serial::SerialLine* line, QTimer* timer1);

// The display poll timer, switched off around every other exchange.
void timer1Off();
void timer1On();

// Waits `seconds` on a monotonic clock, sleeping in the event loop until the next event or the
// deadline; windows stay responsive and other timers tick meanwhile. Returns at once once the
// program is ending.
void Delay(double seconds);

// Waits until `done` holds, at most `timeoutMs` milliseconds, sleeping in the event loop until
// the next event (bytes arriving, a timer, a click) or the deadline. Returns done().
bool WaitUntil(const std::function<bool()>& done, int timeoutMs);

// Empties the receive buffers.
void Flush();
// Writes bytes to the line (nothing when there is no line or the program is ending).
void Output(const QByteArray& bytes);
// Takes every waiting byte.
QByteArray Input();
// Bytes waiting.
int InBufferCount();

// Sends the request "R" + code and waits for any answer, resending once a second. Switches the
// display poll off and leaves it off for the caller. Returns true with the answer's first byte in
// State.LastReplyByte; returns false (LastReplyByte unchanged) after 10 s without a byte or when
// the program is ending, so that callers end through their failure path.
bool SendCommand(double code);

// Presses a meter key: flush, write "F" + code, wait 0.02 s. The caller brackets it with
// timer1Off() / timer1On().
void SendKey(double code);

// The program is ending.
bool ShuttingDown();
// Marks the program as ending, drops waiting exchanges, closes the line and announces it
// (LinkEvents::shutdownRequested), once.
void RequestShutdown();

}  // namespace Rs232
