#pragma once

#include <QObject>

namespace files {
class Files;
}
namespace meter {
class Readout;
}
namespace panel {
class Panel;
}

namespace recording {

class LiveGraphs;
class Recorder;

// The sampling tick of the recorder's Timer2 (on each whole second of the PC clock) and the
// sampling interval. Each due sample goes to the recording file, the live list and the live
// graphs, in that order.
class Sampler : public QObject {
    Q_OBJECT
  public:
    // Lives as long as `panel`, which shows the interval.
    // Samples what `readout` shows.
    Sampler(panel::Panel* panel, const meter::Readout& readout, Recorder& recorder,
            LiveGraphs& graphs, files::Files& files);

  public slots:
    // One tick. With the meter off its measuring screen it closes the live graphs and the live
    // list and stops a recording, saying on the panel which screen stopped it. Otherwise, when
    // a sample is due (the first tick, the first after a new interval, then each time the PC
    // clock's seconds since the first reach a multiple of SamplingInterval) it takes the
    // panel's texts as one sample, stamped with the tick's second: a line of a running
    // recording, a row of the open live list, a point on the wanted graphs. A tick whose graph
    // update placed the first point of a trace ends there and the next tick samples again.
    // While the link is lost nothing is sampled; a sample that falls due meanwhile is taken on
    // the first tick with the meter back.
    void Timer2_Timer();
    // "Sampling": asks for the interval in seconds in the "Input Sampling Time" box and samples
    // on the next tick. An empty answer or Cancel changes nothing; an answer that is not a number,
    // or too large, is refused with a message and the interval stays.
    void CmdPSample_Click();

  private:
    panel::Panel* panel_;
    const meter::Readout& readout_;
    Recorder& recorder_;
    LiveGraphs& graphs_;
    files::Files& files_;
};

// Closes the live windows in order (pH, mV and temperature graph, live list) and clears their
// flags: the meter has left its measuring screen.
void CloseLiveWindows(LiveGraphs& graphs, files::Files& files);

}  // namespace recording
