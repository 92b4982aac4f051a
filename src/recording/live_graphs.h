#pragma once

#include <QPointer>
#include <QString>

#include "core/graph_range.h"
#include "core/meter_reading.h"
#include "core/sample.h"

// The recording to a data file and the sampling that feeds it, the live list and the live
// graphs.
namespace meter {
class Readout;
}
namespace ui {
class PanelAnchor;
}

namespace recording {

class GraphRangeDialog;
class RealTimeGraph;

// One live graph's range and the state of its current trace.
struct GraphTrace {
    core::GraphRange Range;
    // Index of the last plotted point of the trace, 0 for the first.
    long long PointIndex = 0;
    // The first point of the trace has been placed.
    bool TraceStarted = false;
    // Position of the last plotted point, in twips. The first point's height is kept unclamped
    // (pH and temperature); it is clamped when the next point is drawn.
    double LastX = 0;
    double LastY = 0;
};

// The live graphs of a session: their ranges and traces, which are wanted, and their windows
// and range dialogs, as the sampling tick's samples and the panel's buttons drive them. The
// buttons look at the meter's flags as they stand.
class LiveGraphs {
  public:
    // The panel's buttons open the graphs for the meter's flags as `readout` has them; samples
    // bring their own.
    // New graph windows go where `anchor` places them (none: where the system puts them).
    explicit LiveGraphs(const meter::Readout& readout, const ui::PanelAnchor* anchor = nullptr);
    ~LiveGraphs();
    LiveGraphs(const LiveGraphs&) = delete;
    LiveGraphs& operator=(const LiveGraphs&) = delete;

    // The pH or mV graph and the temperature graph are wanted.
    bool PhMvGraphOpen = false;
    bool TempGraphOpen = false;
    // "C" or "F": the unit the temperature graph was opened for; empty at start.
    QString TempGraphUnit;
    GraphTrace PhGraph{core::DefaultGraphRange(core::Quantity::Ph)};
    GraphTrace MvGraph{core::DefaultGraphRange(core::Quantity::Mv)};
    GraphTrace TempGraph{core::DefaultGraphRange(core::Quantity::Temperature)};

    // The trace set of a graph.
    GraphTrace& TraceOf(core::Quantity quantity);

    // The open window of the graph, or null.
    RealTimeGraph* findGraph(core::Quantity quantity) const;
    // Opens the graph's window empty, labelled from the graph's current range (the temperature
    // window names the unit of TempGraphUnit), with a new trace to come. An open window is
    // started again in place: its trace and times go, its labels are written anew.
    RealTimeGraph* showGraph(core::Quantity quantity);
    // Closes the graph's window if it is open.
    void closeGraph(core::Quantity quantity);
    // The open (visible) range dialog of the graph, or null.
    GraphRangeDialog* findRangeDialog(core::Quantity quantity) const;
    // Shows the range dialog of the graph, filled with the current range; an open one is
    // brought to the front as it is.
    GraphRangeDialog* showRangeDialog(core::Quantity quantity);

    // The graphs (pH, mV, temperature) and then their range dialogs close when the link to the
    // meter is lost.
    void closeOnLinkLost();

    // "pH/mV" (CmdPpHG_Click): opens the mV graph when the meter measures mV, the pH graph when
    // it measures pH, afresh and empty (the other one closed); the pH/mV graph is wanted from
    // now on.
    void ShowPhMvGraph();
    // "C / F" (CmdPtempG_Click): opens the temperature graph afresh for the meter's temperature
    // unit ("Celsius" or "Fahrenheit"); it is wanted from now on.
    void ShowTemperatureGraph();

    // The sample's step on the pH or mV graph, whichever fits the meter's unit (the other
    // window is closed and this one opened when the meter has changed between pH and mV).
    // Returns true when it placed the first point of a trace: the sampling tick ends there.
    bool UpdatePhMvGraph(const core::Sample& sample);
    // The sample's step on the temperature graph. Returns true when it placed the first point
    // of a trace or opened the window again for a changed unit: the tick then ends before it
    // counts.
    bool UpdateTemperatureGraph(const core::Sample& sample);

  private:
    const meter::Readout& readout_;
    const ui::PanelAnchor* anchor_;
    friend class RealTimeGraph;
    friend class GraphRangeDialog;

    static int slotOf(core::Quantity quantity);
    // The buttons' commands for the meter's `reading`.
    void showPhMvGraphFor(const core::MeterReading& reading);
    void showTemperatureGraphFor(const core::MeterReading& reading);
    bool placePoint(RealTimeGraph& window, core::Quantity quantity, double value,
                    const core::Sample& sample,
                    void (LiveGraphs::*reopen)(const core::MeterReading&));

    QPointer<RealTimeGraph> graphs_[3];
    QPointer<GraphRangeDialog> dialogs_[3];
};

}  // namespace recording
