#pragma once

#include "core/graph_range.h"
#include "ui/trace_window.h"

namespace recording {

class LiveGraphs;

// A live graph window: "RealTime1" (pH), "RealTime2" (mV) or "RealTime1_1" (temperature). A
// fixed frame of lines and value labels from the graph's range, one trace drawn left to right,
// one point per sample, and the reading and the times of the trace's first, middle and last
// point. "Limit" opens the graph's range dialog, "Print" prints the window as shown. Closing it
// (also on a lost link) clears the graph's open flag and its trace; its owner (LiveGraphs)
// makes, finds and restarts it. A restart (past the right
// edge, a new range, the panel's button) empties the picture in the same window, which keeps
// its place and size.
class RealTimeGraph : public ui::TraceWindow {
    Q_OBJECT

  public:
    ~RealTimeGraph() override;

    // The window's name: "RealTime1", "RealTime2", "RealTime1_1".
    static QString nameOf(core::Quantity quantity);

    core::Quantity quantity() const { return quantity_; }

    // LblValue: the reading of the latest sample.
    void setValueText(const QString& text);
    // LblT1, LblT2, LblT3 (which = 1, 2, 3): the time of a point of the trace.
    void setTimeText(int which, const QString& time);
    // Starts the trace (any earlier one is dropped) with its first point at height `y`.
    void startTrace(double y);
    // The next point of the trace at height `y`, joined to the one before.
    void addPoint(double y);

  protected:
    void Form_Unload() override;

  private:
    friend class LiveGraphs;

    RealTimeGraph(LiveGraphs& graphs, core::Quantity quantity);
    void addFrame();
    // The labels that come from the range and the unit; the reading and the times emptied.
    void writeLabels();
    void restart();

    LiveGraphs& graphs_;
    core::Quantity quantity_;
    int trace_ = -1;
};

}  // namespace recording
