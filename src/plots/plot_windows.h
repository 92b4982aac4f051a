#pragma once

#include <QString>

#include "core/value_height.h"
#include "ui/trace_window.h"

namespace plots {

class Plots;

// A stored-data plot window: ListPlot1 (pH), ListPlot2 (mV) or ListPlot11 (temperature), with
// its fixed axes, range lines and labels in twips. The plot operations set the labels and add
// the traces; earlier traces stay, so a plot drawn again lies over the old picture. "Limit"
// ("Range...") shows the quantity's range dialog, "Fit to Data" fits the range to the listed
// readings. Made and found through the session's plots::Plots, one per quantity.
//
// Labels: LblValTop, LblValMid, Lbl0 (value scale), LblT1, LblT2, LblT3 (times of the first,
// middle and last plotted rows), LblUnit, LblTime ("TIME"); the mV window also MidLbl and TopLbl
// (the mirrored scale) and the sign marks LblPlus and LblMinus.
class PlotWindow : public ui::TraceWindow {
    Q_OBJECT

  public:
    core::Quantity quantity() const { return quantity_; }

    // "ListPlot1", "ListPlot2" or "ListPlot11".
    static QString windowName(core::Quantity quantity);

    // Where the plotted records came from, the second title line of a saved image: the file's
    // name or the download's time.
    void setSourceTitle(const QString& title) { sourceTitle_ = title; }

  public slots:
    // Shows the quantity's range dialog, modeless.
    void MnuLimit_Click();
    // Fits the range to the listed readings and draws the plot afresh (plots::FitToData).
    void MnuFitToData_Click();

  protected:
    QStringList imageTitleLines() const override;

  private:
    friend class Plots;
    PlotWindow(Plots& plots, core::Quantity quantity);

    Plots& plots_;
    core::Quantity quantity_;
    QString sourceTitle_;
};

}  // namespace plots
