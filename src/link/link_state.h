#pragma once

#include <QPointer>
#include <deque>
#include <functional>
#include <optional>

class QObject;
class QTimer;

namespace serial {
class SerialLine;
}

namespace Rs232 {

// An exchange asked for while the line was busy; it runs once the line is free.
struct WaitingExchange {
    QPointer<QObject> context;  // the exchange is dropped when its context is gone
    bool hasContext = false;
    std::function<void()> run;
};

// Everything the meter link keeps for the run of the program.
struct LinkState {
    // Port chosen in the Port window, 1 to 8; 0 until chosen.
    int CommPortNumber = 0;
    // First byte of the reply to the latest successful SendCommand; empty until then.
    std::optional<unsigned char> LastReplyByte;
    // The line every exchange uses and the display poll's timer, both owned by the panel.
    QPointer<serial::SerialLine> Comm1;
    QPointer<QTimer> Timer1;
    // The program is ending: every wait returns at once and no exchange starts.
    bool ShuttingDown = false;
    // An exchange holds the line; the ones asked for meanwhile wait here, in order.
    bool LineBusy = false;
    std::deque<WaitingExchange> WaitingExchanges;
    bool WaitingScheduled = false;
};

extern LinkState State;
// Back to the start values; the line and the timer are forgotten, waiting exchanges dropped.
void ResetState();

}  // namespace Rs232
