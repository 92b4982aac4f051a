#include "recording/live_graphs.h"

#include "core/graph_range.h"
#include "core/record_row.h"
#include "meter/readout.h"
#include "recording/graph_range_dialog.h"
#include "recording/graph_windows.h"
#include "ui/window_placement.h"

namespace recording {

namespace {

using core::Quantity;

// Height of a reading on a graph, clamped to the graph's form.
double heightOf(double value, const core::GraphRange& range, Quantity quantity) {
    return core::ValueHeight(value, range.scale(), core::LiveHeightForm(quantity))
        .value_or(core::kBaseLineY);
}

QString temperatureUnitOf(const core::MeterReading& reading) {
    if (reading.IsCelsius == 1) return QStringLiteral("C");
    if (reading.IsFahrenheit == 1) return QStringLiteral("F");
    return {};
}

}  // namespace

LiveGraphs::LiveGraphs(const meter::Readout& readout, const ui::PanelAnchor* anchor)
    : readout_(readout), anchor_(anchor) {}

LiveGraphs::~LiveGraphs() {
    // The windows hold a reference to their owner: they go first.
    for (const QPointer<GraphRangeDialog>& dialog : dialogs_) delete dialog.data();
    for (const QPointer<RealTimeGraph>& graph : graphs_) delete graph.data();
}

int LiveGraphs::slotOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Ph:
            return 0;
        case Quantity::Mv:
            return 1;
        case Quantity::Temperature:
            break;
    }
    return 2;
}

GraphTrace& LiveGraphs::TraceOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Ph:
            return PhGraph;
        case Quantity::Mv:
            return MvGraph;
        case Quantity::Temperature:
            break;
    }
    return TempGraph;
}

RealTimeGraph* LiveGraphs::findGraph(Quantity quantity) const {
    return graphs_[slotOf(quantity)];
}

RealTimeGraph* LiveGraphs::showGraph(Quantity quantity) {
    GraphTrace& trace = TraceOf(quantity);
    trace.TraceStarted = false;
    trace.PointIndex = 0;
    if (RealTimeGraph* window = findGraph(quantity)) {
        window->restart();
        return window;
    }
    auto* window = new RealTimeGraph(*this, quantity);
    graphs_[slotOf(quantity)] = window;
    if (anchor_) anchor_->place(window);
    window->show();
    return window;
}

void LiveGraphs::closeGraph(Quantity quantity) {
    if (RealTimeGraph* window = findGraph(quantity)) window->close();
}

GraphRangeDialog* LiveGraphs::findRangeDialog(Quantity quantity) const {
    GraphRangeDialog* dialog = dialogs_[slotOf(quantity)];
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

GraphRangeDialog* LiveGraphs::showRangeDialog(Quantity quantity) {
    GraphRangeDialog* dialog = findRangeDialog(quantity);
    if (!dialog) {
        dialog = new GraphRangeDialog(*this, quantity);
        dialogs_[slotOf(quantity)] = dialog;
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void LiveGraphs::closeOnLinkLost() {
    for (const QPointer<RealTimeGraph>& graph : graphs_)
        if (graph && graph->isVisible()) graph->close();
    for (const QPointer<GraphRangeDialog>& dialog : dialogs_)
        if (dialog && dialog->isVisible()) dialog->close();
}

// Steps 5 to 9 of a graph update: the first point of a trace, or the next point joined to the
// last one, with the time labels, and the restart past the right edge. True for a first point.
bool LiveGraphs::placePoint(RealTimeGraph& window, Quantity quantity, double value,
                            const core::Sample& sample,
                            void (LiveGraphs::*reopen)(const core::MeterReading&)) {
    const QString time = QString::fromStdString(sample.time);
    GraphTrace& trace = TraceOf(quantity);
    if (!trace.TraceStarted) {
        window.setTimeText(1, time);
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
    if (core::IsMiddleTimePoint(trace.Range, trace.PointIndex)) window.setTimeText(2, time);
    if (core::IsLastTimePoint(trace.Range, trace.PointIndex)) window.setTimeText(3, time);
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
        (this->*reopen)(sample.reading);
    }
    return false;
}

void LiveGraphs::ShowPhMvGraph() {
    showPhMvGraphFor(readout_.reading());
}

void LiveGraphs::ShowTemperatureGraph() {
    showTemperatureGraphFor(readout_.reading());
}

void LiveGraphs::showPhMvGraphFor(const core::MeterReading& reading) {
    if (reading.IsMV == 1) {
        closeGraph(Quantity::Ph);
        showGraph(Quantity::Mv);
    } else if (reading.IsPH == 1) {
        closeGraph(Quantity::Mv);
        showGraph(Quantity::Ph);
    }
    PhMvGraphOpen = true;
}

void LiveGraphs::showTemperatureGraphFor(const core::MeterReading& reading) {
    closeGraph(Quantity::Temperature);
    TempGraphOpen = true;
    const QString unit = temperatureUnitOf(reading);
    if (!unit.isEmpty()) TempGraphUnit = unit;
    showGraph(Quantity::Temperature);
}

bool LiveGraphs::UpdatePhMvGraph(const core::Sample& sample) {
    const core::MeterReading& reading = sample.reading;
    Quantity chosen = Quantity::Ph;
    if (reading.IsMV == 1)
        chosen = Quantity::Mv;
    else if (reading.IsPH != 1)
        return false;
    const Quantity other = chosen == Quantity::Mv ? Quantity::Ph : Quantity::Mv;

    // Follow the meter between pH and mV: the other window closes (clearing the open flag,
    // which stays set), this one opens with a new trace.
    if (findGraph(other)) {
        closeGraph(other);
        PhMvGraphOpen = true;
    }
    RealTimeGraph* window = findGraph(chosen);
    if (!window) window = showGraph(chosen);

    // The label shows the caption; the point is placed by its value.
    window->setValueText(QString::fromStdString(sample.value));
    return placePoint(*window, chosen, core::PlotValue(sample.shown, chosen), sample,
                      &LiveGraphs::showPhMvGraphFor);
}

bool LiveGraphs::UpdateTemperatureGraph(const core::Sample& sample) {
    RealTimeGraph* window = findGraph(Quantity::Temperature);
    if (!window) window = showGraph(Quantity::Temperature);
    window->setValueText(QString::fromStdString(sample.temperature));

    const QString unit = temperatureUnitOf(sample.reading);
    // Without a unit flag there is no temperature to draw; reopening for "no unit" on every
    // sample would only empty the window again and again.
    if (unit.isEmpty()) return false;
    if (unit != TempGraphUnit) {
        GraphTrace& trace = TempGraph;
        trace.TraceStarted = false;
        trace.PointIndex = 0;
        showTemperatureGraphFor(sample.reading);
        return true;
    }
    return placePoint(*window, Quantity::Temperature,
                      core::PlotValue(sample.shown, Quantity::Temperature), sample,
                      &LiveGraphs::showTemperatureGraphFor);
}

}  // namespace recording
