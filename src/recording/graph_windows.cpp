#include "recording/graph_windows.h"

#include <QApplication>
#include <QLabel>

#include "recording/graph_range_dialog.h"
#include "recording/live_graphs.h"
#include "ui/trace_view.h"

namespace recording {

namespace {

using Anchor = ui::TraceView::Anchor;

// Client areas in twips: the plot area and its labels with a margin.
constexpr QSize kBaseLineGraphTwips(6000, 4600);
constexpr QSize kMirroredGraphTwips(6000, 7600);

// Labels beside a line are placed this far above it, so that their text centres on it.
constexpr double kLabelRaise = 110;
constexpr double kValueLabelRightX = 950;  // value labels end just left of the axis
constexpr double kTimeLabelY = core::kBaseLineY + 80;

const QColor kRed(Qt::red);
const QColor kGreen(0, 170, 0);
const QColor kDark(Qt::black);
const QColor kTraceColour(Qt::blue);

QString unitNameOf(const QString& tempGraphUnit) {
    if (tempGraphUnit == QLatin1String("C")) return QStringLiteral("Celsius");
    if (tempGraphUnit == QLatin1String("F")) return QStringLiteral("Fahrenheit");
    return {};
}

QString captionOf(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Ph:
            return QStringLiteral("RealTimeGraph---pH");
        case core::Quantity::Mv:
            return QStringLiteral("RealTimeGraph---mV");
        case core::Quantity::Temperature:
            break;
    }
    return QStringLiteral("RealTimeGraph---Temperature");
}

QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

QString RealTimeGraph::nameOf(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Ph:
            return QStringLiteral("RealTime1");
        case core::Quantity::Mv:
            return QStringLiteral("RealTime2");
        case core::Quantity::Temperature:
            break;
    }
    return QStringLiteral("RealTime1_1");
}

RealTimeGraph::RealTimeGraph(LiveGraphs& graphs, core::Quantity quantity)
    : ui::TraceWindow(nameOf(quantity), captionOf(quantity),
                      quantity == core::Quantity::Mv ? kMirroredGraphTwips : kBaseLineGraphTwips,
                      quantity == core::Quantity::Mv ? kMirroredGraphTwips : kBaseLineGraphTwips),
      graphs_(graphs),
      quantity_(quantity) {
    addFrame();
    connect(this, &ui::TraceWindow::limitRequested, this,
            [this] { graphs_.showRangeDialog(quantity_); });
}

RealTimeGraph::~RealTimeGraph() {
    unloadOnce();
}

void RealTimeGraph::addFrame() {
    ui::TraceView* v = view();
    const bool mirrored = quantity_ == core::Quantity::Mv;
    const double left = core::kGraphLeftX;
    const double right = core::kGraphRightX;
    const double middle = core::kGraphMiddleX;
    const double axisBottom = mirrored ? core::kBelowBottomY : core::kBaseLineY;
    v->addLine({left, core::kTopLineY}, {right, core::kTopLineY}, kRed);
    v->addLine({left, core::kMiddleLineY}, {right, core::kMiddleLineY}, kGreen);
    v->addLine({left, core::kBaseLineY}, {right, core::kBaseLineY}, kDark);
    if (mirrored) {
        v->addLine({left, core::kLowMiddleLineY}, {right, core::kLowMiddleLineY}, kGreen);
        v->addLine({left, core::kBottomLineY}, {right, core::kBottomLineY}, kRed);
    }
    v->addLine({left, core::kAboveTopY}, {left, axisBottom}, kDark);
    v->addLine({middle, core::kAboveTopY}, {middle, axisBottom}, kGreen);

    // Value labels, written from the graph's range by writeLabels.
    const auto valueLabel = [&](const char* name, double y) {
        v->addLabel(name, {kValueLabelRightX, y - kLabelRaise}, Anchor::RightTop);
    };
    valueLabel("LblValTop", core::kTopLineY);
    valueLabel("LblValMid", core::kMiddleLineY);
    valueLabel("Lbl0", core::kBaseLineY);
    if (mirrored) {
        valueLabel("MidLbl", core::kLowMiddleLineY);
        valueLabel("TopLbl", core::kBottomLineY);
        v->addLabel("Label2", {100, core::kBaseLineY - 3 * kLabelRaise}, Anchor::LeftTop, "+");
        v->addLabel("Label3", {100, core::kBaseLineY + kLabelRaise / 2}, Anchor::LeftTop, "_");
    }

    v->addLabel("LblT1", {left, kTimeLabelY}, Anchor::CentreTop);
    v->addLabel("LblT2", {middle, kTimeLabelY}, Anchor::CentreTop);
    v->addLabel("LblT3", {right, kTimeLabelY}, Anchor::CentreTop);
    v->addLabel("Label1", {right + 120, core::kBaseLineY - 2 * kLabelRaise}, Anchor::LeftTop,
                QStringLiteral("TIME"));
    v->addLabel("LblUnit", {120, 150}, Anchor::LeftTop);
    v->addLabel("LblValue", {middle, 150}, Anchor::CentreTop);
    writeLabels();
}

void RealTimeGraph::writeLabels() {
    ui::TraceView* v = view();
    const core::ScaleLabels labels =
        core::ScaleLabelTexts(graphs_.TraceOf(quantity_).Range.scale());
    v->setLabelText(QStringLiteral("LblValTop"), fromStd(labels.top));
    v->setLabelText(QStringLiteral("LblValMid"), fromStd(labels.middle));
    v->setLabelText(QStringLiteral("Lbl0"), fromStd(labels.base));
    v->setLabelText(QStringLiteral("MidLbl"), fromStd(labels.lowMiddle));
    v->setLabelText(QStringLiteral("TopLbl"), fromStd(labels.bottom));
    for (const char* name : {"LblT1", "LblT2", "LblT3", "LblValue"})
        v->setLabelText(QString::fromLatin1(name), QString());
    const QString unit = quantity_ == core::Quantity::Ph   ? QStringLiteral("pH")
                         : quantity_ == core::Quantity::Mv ? QStringLiteral("mV")
                                                           : unitNameOf(graphs_.TempGraphUnit);
    v->setLabelText(QStringLiteral("LblUnit"), unit);
}

void RealTimeGraph::restart() {
    view()->clearTraces();
    trace_ = -1;
    writeLabels();
}

void RealTimeGraph::setValueText(const QString& text) {
    view()->setLabelText(QStringLiteral("LblValue"), text);
}

void RealTimeGraph::setTimeText(int which, const QString& time) {
    view()->setLabelText(QStringLiteral("LblT%1").arg(which), time);
}

void RealTimeGraph::startTrace(double y) {
    ui::TraceView* v = view();
    v->clearTraces();
    const core::GraphRange& range = graphs_.TraceOf(quantity_).Range;
    trace_ = v->addTrace(core::kGraphLeftX, range.StepX, kTraceColour);
    v->appendPoint(trace_, static_cast<float>(y));
}

void RealTimeGraph::addPoint(double y) {
    view()->appendPoint(trace_, static_cast<float>(y));
}

void RealTimeGraph::Form_Unload() {
    if (quantity_ == core::Quantity::Temperature)
        graphs_.TempGraphOpen = false;
    else
        graphs_.PhMvGraphOpen = false;
    GraphTrace& trace = graphs_.TraceOf(quantity_);
    trace.TraceStarted = false;
    trace.PointIndex = 0;
    // A closed window is no longer its graph's, even before it is destroyed.
    QPointer<RealTimeGraph>& registered = graphs_.graphs_[LiveGraphs::slotOf(quantity_)];
    if (registered == this) registered = nullptr;
}

}  // namespace recording
