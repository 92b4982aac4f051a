#pragma once

#include <functional>

class QObject;

// The line belongs to one exchange at a time: the display poll, a key press, the clock setting,
// the alarm's key sequence, a memory request or download. No exchange starts inside another's
// wait; one asked for while the line is busy runs as soon as the current exchange ends, in the
// order asked.
namespace Rs232 {

// An exchange holds the line.
bool LineBusy();
// Free: nobody holds the line and no exchange waits for it. The display poll only runs then.
bool LineFree();

// Holds the line for its lifetime. Construct only while the line is free (RunExchange does);
// its end lets the next waiting exchange run.
class Exchange {
  public:
    Exchange();
    ~Exchange();
    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

  private:
    bool holds_;
};

// Runs `exchange` holding the line: at once when the line is free, otherwise as soon as the
// current exchange (and those asked for before) ended, from the event loop. A waiting exchange
// is dropped when `context` is destroyed before its turn (pass nullptr for none), and every
// waiting exchange is dropped when the program ends. Returns true when it ran at once.
bool RunExchange(QObject* context, std::function<void()> exchange);

}  // namespace Rs232
