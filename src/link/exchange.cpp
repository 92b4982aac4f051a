#include "link/exchange.h"

#include <QCoreApplication>
#include <QTimer>
#include <QtGlobal>

#include "link/link_state.h"

namespace Rs232 {
namespace {

void runNextWaiting();

// Lets the next waiting exchange run from the event loop, not from inside the ending one.
void scheduleWaiting() {
    if (State.LineBusy || State.WaitingExchanges.empty() || State.WaitingScheduled) return;
    State.WaitingScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), runNextWaiting);
}

void runNextWaiting() {
    State.WaitingScheduled = false;
    if (State.ShuttingDown) {
        State.WaitingExchanges.clear();
        return;
    }
    if (State.LineBusy) return;  // the exchange holding the line schedules us when it ends
    while (!State.WaitingExchanges.empty()) {
        WaitingExchange next = std::move(State.WaitingExchanges.front());
        State.WaitingExchanges.pop_front();
        if (next.hasContext && !next.context) continue;
        Exchange hold;
        next.run();
        return;
    }
}

}  // namespace

bool LineBusy() {
    return State.LineBusy;
}

bool LineFree() {
    return !State.LineBusy && State.WaitingExchanges.empty();
}

Exchange::Exchange() : holds_(!State.LineBusy) {
    if (!holds_) qWarning("An exchange with the meter started while another held the line");
    State.LineBusy = true;
}

Exchange::~Exchange() {
    if (!holds_) return;
    State.LineBusy = false;
    scheduleWaiting();
}

bool RunExchange(QObject* context, std::function<void()> exchange) {
    if (State.ShuttingDown || !exchange) return false;
    if (LineFree()) {
        Exchange hold;
        exchange();
        return true;
    }
    State.WaitingExchanges.push_back({context, context != nullptr, std::move(exchange)});
    scheduleWaiting();
    return false;
}

}  // namespace Rs232
