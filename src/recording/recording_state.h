#pragma once

#include <QString>

#include "core/graph_range.h"
#include "core/sampling_interval.h"

// The recording to a data file and the sampling that feeds it, the live list and the live
// graphs.
namespace recording {

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

struct RecordingState {
    // Seconds between two samples, 1 to 86400; the panel shows it as its caption ("2 sec" at
    // start, then "10 Sec" and the like).
    int SamplingInterval = core::kStartSamplingInterval;
    // The seconds of the PC clock the samples fall on; atOnce makes the next tick sample.
    core::SampleSchedule Schedule;
    // Lines of the running recording (the number of the latest line); 0 while idle.
    long RecordingCount = 0;
    // The pH or mV graph and the temperature graph are wanted.
    bool PhMvGraphOpen = false;
    bool TempGraphOpen = false;
    // "C" or "F": the unit the temperature graph was opened for; empty at start.
    QString TempGraphUnit;
    GraphTrace PhGraph{core::DefaultGraphRange(core::Quantity::Ph)};
    GraphTrace MvGraph{core::DefaultGraphRange(core::Quantity::Mv)};
    GraphTrace TempGraph{core::DefaultGraphRange(core::Quantity::Temperature)};
};

extern RecordingState State;
void ResetState();

// The trace set of a graph.
GraphTrace& TraceOf(core::Quantity quantity);

}  // namespace recording
