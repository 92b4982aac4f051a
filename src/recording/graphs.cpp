#include "recording/graphs.h"

#include "core/graph_range.h"
#include "core/record_row.h"
#include "meter/meter_state.h"
#include "recording/graph_windows.h"
#include "recording/recording_state.h"
#include "ui/pc_clock.h"

namespace recording {

namespace {

using core::Quantity;

QString timeNow() {
    const QTime time = ui::pcNow().time();
    return QString::fromStdString(core::recordTimeText(time.hour(), time.minute(), time.second()));
}

// Height of a reading on a graph, clamped to the graph's form.
double heightOf(double value, const core::GraphRange& range, Quantity quantity) {
    return core::ValueHeight(value, range.scale(), core::LiveHeightForm(quantity))
        .value_or(core::kBaseLineY);
}

// Steps 5 to 9 of a graph update: the first point of a trace, or the next point joined to the
// last one, with the time labels, and the restart past the right edge. True for a first point.
bool placePoint(RealTimeGraph& window, Quantity quantity, double value, void (*reopen)()) {
    recording::GraphTrace& trace = recording::TraceOf(quantity);
    if (!trace.TraceStarted) {
        window.setTimeText(1, timeNow());
        trace.TraceStarted = true;
        // The mV graph clamps its first point at once; pH and temperature keep it as it falls
        // and clamp it when the next point is drawn.
        trace.LastY =
            quantity == Quantity::Mv
                ? heightOf(value, trace.Range, quantity)
                : core::UnclampedHeight(value, trace.Range.scale()).value_or(core::kBaseLineY);
        trace.LastX = core::GraphPointX(trace.Range, 0);
        trace.PointIndex = 0;
        window.startTrace(core::ClampToBaseLineForm(trace.LastY));
        return true;
    }

    ++trace.PointIndex;
    if (core::IsMiddleTimePoint(trace.Range, trace.PointIndex)) window.setTimeText(2, timeNow());
    if (core::IsLastTimePoint(trace.Range, trace.PointIndex)) window.setTimeText(3, timeNow());
    const double y = heightOf(value, trace.Range, quantity);
    const double x = core::GraphPointX(trace.Range, trace.PointIndex);
    if (quantity != Quantity::Mv) trace.LastY = core::ClampToBaseLineForm(trace.LastY);
    window.addPoint(y);
    trace.LastX = x;
    trace.LastY = y;

    if (core::IsPastRightEdge(trace.Range, trace.PointIndex)) {
        // Run past the right edge: the picture starts again empty, in the same window.
        trace.TraceStarted = false;
        trace.PointIndex = 0;
        reopen();
    }
    return false;
}

QString temperatureUnitOf(const core::MeterReading& reading) {
    if (reading.IsCelsius == 1) return QStringLiteral("C");
    if (reading.IsFahrenheit == 1) return QStringLiteral("F");
    return {};
}

}  // namespace

void ShowPhMvGraph() {
    const core::MeterReading& reading = meter::State.MeterReading;
    if (reading.IsMV == 1) {
        RealTimeGraph::closeWindow(Quantity::Ph);
        RealTimeGraph::open(Quantity::Mv);
    } else if (reading.IsPH == 1) {
        RealTimeGraph::closeWindow(Quantity::Mv);
        RealTimeGraph::open(Quantity::Ph);
    }
    recording::State.PhMvGraphOpen = true;
}

void ShowTemperatureGraph() {
    RealTimeGraph::closeWindow(Quantity::Temperature);
    recording::State.TempGraphOpen = true;
    const QString unit = temperatureUnitOf(meter::State.MeterReading);
    if (!unit.isEmpty()) recording::State.TempGraphUnit = unit;
    RealTimeGraph::open(Quantity::Temperature);
}

bool UpdatePhMvGraph() {
    const core::MeterReading& reading = meter::State.MeterReading;
    Quantity chosen = Quantity::Ph;
    if (reading.IsMV == 1)
        chosen = Quantity::Mv;
    else if (reading.IsPH != 1)
        return false;
    const Quantity other = chosen == Quantity::Mv ? Quantity::Ph : Quantity::Mv;

    // Follow the meter between pH and mV: the other window closes (clearing the open flag,
    // which stays set), this one opens with a new trace.
    if (RealTimeGraph::find(other)) {
        RealTimeGraph::closeWindow(other);
        recording::State.PhMvGraphOpen = true;
    }
    RealTimeGraph* window = RealTimeGraph::find(chosen);
    if (!window) window = RealTimeGraph::open(chosen);

    const std::string& text = meter::State.Display.LblUpValue;
    window->setValueText(QString::fromStdString(text));
    return placePoint(*window, chosen, core::PlotValue(text, chosen), &ShowPhMvGraph);
}

bool UpdateTemperatureGraph() {
    RealTimeGraph* window = RealTimeGraph::find(Quantity::Temperature);
    if (!window) window = RealTimeGraph::open(Quantity::Temperature);
    const std::string& text = meter::State.Display.LblDownLeftValue;
    window->setValueText(QString::fromStdString(text));

    const QString unit = temperatureUnitOf(meter::State.MeterReading);
    // Without a unit flag there is no temperature to draw; reopening for "no unit" on every
    // sample would only empty the window again and again.
    if (unit.isEmpty()) return false;
    if (unit != recording::State.TempGraphUnit) {
        recording::GraphTrace& trace = recording::State.TempGraph;
        trace.TraceStarted = false;
        trace.PointIndex = 0;
        ShowTemperatureGraph();
        return true;
    }
    return placePoint(*window, Quantity::Temperature, core::PlotValue(text, Quantity::Temperature),
                      &ShowTemperatureGraph);
}

}  // namespace recording
