#include "plots/plot_windows.h"

#include <QAction>
#include <QColor>
#include <QMenu>
#include <QPointF>

#include "plots/plot_operations.h"
#include "plots/plots.h"
#include "ui/trace_view.h"

namespace plots {

namespace {

using Anchor = ui::TraceView::Anchor;
using core::Quantity;

const QString kTimes = QStringLiteral("Times New Roman");

struct LineItem {
    QPointF from;
    QPointF to;
    QColor colour;
    Qt::PenStyle style;
    int width;
};

struct LabelItem {
    const char* name;
    QPointF at;
    Anchor anchor;
    const char* text;
    bool times;  // Times New Roman
};

const LineItem kValueAxis{{1000, 900}, {1000, 4000}, Qt::black, Qt::SolidLine, 2};
const LineItem kTimeAxis{{1000, 4000}, {5000, 4000}, Qt::black, Qt::SolidLine, 2};
const LineItem kTopLine{{1000, 1000}, {5000, 1000}, Qt::red, Qt::DashLine, 1};
const LineItem kMiddleLine{{1000, 2500}, {5000, 2500}, Qt::green, Qt::DotLine, 1};
const LineItem kMiddleTimeLine{{3000, 900}, {3000, 4000}, Qt::green, Qt::DotLine, 1};

// pH and temperature: one band above the time axis.
const LineItem kBandLines[] = {kValueAxis, kTimeAxis, kTopLine, kMiddleLine, kMiddleTimeLine};

const LabelItem kBandLabels[] = {
    {"LblValTop", {915, 960}, Anchor::RightTop, "", false},
    {"LblValMid", {930, 2400}, Anchor::RightTop, "", false},
    {"Lbl0", {930, 3840}, Anchor::RightTop, "", false},
    {"LblT1", {960, 4080}, Anchor::CentreTop, "", false},
    {"LblT2", {2970, 4080}, Anchor::CentreTop, "", false},
    {"LblT3", {4995, 4080}, Anchor::RightTop, "", false},
    {"LblTime", {5040, 3840}, Anchor::LeftTop, "TIME", true},
};

// mV: the band above the time axis mirrored below it for negative readings.
const LineItem kMirroredLines[] = {
    {{1000, 900}, {1000, 7100}, Qt::black, Qt::SolidLine, 2},
    kTimeAxis,
    kTopLine,
    {{1000, 7000}, {5000, 7000}, Qt::red, Qt::DashLine, 1},
    kMiddleLine,
    {{1000, 5500}, {5000, 5500}, Qt::green, Qt::DotLine, 1},
    {{3000, 900}, {3000, 7100}, Qt::green, Qt::DotLine, 1},
};

const LabelItem kMirroredLabels[] = {
    {"LblValTop", {930, 960}, Anchor::RightTop, "", false},
    {"LblValMid", {930, 2400}, Anchor::RightTop, "", false},
    {"Lbl0", {930, 3960}, Anchor::RightTop, "", false},
    {"MidLbl", {930, 5400}, Anchor::RightTop, "", false},
    {"TopLbl", {930, 6840}, Anchor::RightTop, "", false},
    {"LblT1", {1080, 4080}, Anchor::CentreTop, "", false},
    {"LblT2", {2970, 4080}, Anchor::CentreTop, "", false},
    {"LblT3", {5010, 4080}, Anchor::RightTop, "", false},
    {"LblUnit", {1035, 480}, Anchor::CentreTop, "", true},
    {"LblTime", {5040, 3720}, Anchor::LeftTop, "TIME", true},
    {"LblPlus", {120, 3600}, Anchor::LeftTop, "+", true},
    {"LblMinus", {120, 3720}, Anchor::LeftTop, "-", true},
};

QString captionOf(Quantity quantity) {
    switch (quantity) {
        case Quantity::Mv:
            return QStringLiteral("Plot Data/File---mV");
        case Quantity::Temperature:
            return QStringLiteral("Plot Data/File --- Temperature");
        case Quantity::Ph:
            break;
    }
    return QStringLiteral("Plot Data/File --- pH");
}

QSize clientOf(Quantity quantity) {
    return quantity == Quantity::Mv ? QSize(6690, 7905) : QSize(6225, 4680);
}

template <std::size_t Lines, std::size_t Labels>
void addItems(ui::TraceView& view, const LineItem (&lines)[Lines],
              const LabelItem (&labels)[Labels]) {
    for (const LineItem& line : lines)
        view.addLine(line.from, line.to, line.colour, line.style, line.width);
    for (const LabelItem& label : labels)
        view.addLabel(QString::fromLatin1(label.name), label.at, label.anchor,
                      QString::fromLatin1(label.text), label.times ? kTimes : QString());
}

}  // namespace

PlotWindow::PlotWindow(Plots& plots, Quantity quantity)
    : ui::TraceWindow(windowName(quantity), captionOf(quantity), clientOf(quantity),
                      QSizeF(clientOf(quantity))),
      plots_(plots),
      quantity_(quantity) {
    ui::TraceView& drawing = *view();
    if (quantity == Quantity::Mv) {
        addItems(drawing, kMirroredLines, kMirroredLabels);
    } else {
        addItems(drawing, kBandLines, kBandLabels);
        const bool ph = quantity == Quantity::Ph;
        drawing.addLabel(QStringLiteral("LblUnit"), ph ? QPointF(825, 480) : QPointF(990, 480),
                         Anchor::CentreTop, ph ? QStringLiteral("pH") : QString(), kTimes);
    }
    connect(this, &ui::TraceWindow::limitRequested, this, &PlotWindow::MnuLimit_Click);
    QAction* fit = makeLimitMenu()->addAction(QStringLiteral("Fit to Data"));
    fit->setObjectName(QStringLiteral("MnuFitToData"));
    connect(fit, &QAction::triggered, this, &PlotWindow::MnuFitToData_Click);
}

QString PlotWindow::windowName(Quantity quantity) {
    switch (quantity) {
        case Quantity::Mv:
            return QStringLiteral("ListPlot2");
        case Quantity::Temperature:
            return QStringLiteral("ListPlot11");
        case Quantity::Ph:
            break;
    }
    return QStringLiteral("ListPlot1");
}

void PlotWindow::MnuLimit_Click() {
    plots_.showRangeDialog(quantity_);
}

void PlotWindow::MnuFitToData_Click() {
    plots::FitToData(plots_, quantity_, this);
}

QStringList PlotWindow::imageTitleLines() const {
    QStringList lines = ui::TraceWindow::imageTitleLines();
    if (!sourceTitle_.isEmpty()) lines.append(sourceTitle_);
    return lines;
}

}  // namespace plots
