#pragma once

#include <QObject>
#include <QPointer>

#include "core/plot_range.h"

namespace files {
class Files;
}
namespace ui {
class PanelAnchor;
}

namespace plots {

class PlotRangeDialog;
class PlotWindow;

// The stored-data plots of one session: the range of each quantity's plot, the list the plots
// were last opened from, and the plot window and range dialog of each quantity (at most one of
// each is open). The windows are made here and reach this owner through their constructors;
// those still open when the owner goes are destroyed with it.
class Plots : public QObject {
    Q_OBJECT

  public:
    // The plots are drawn from the record lists of `files`; new plot windows go where `anchor`
    // places them (none: where the system puts them).
    explicit Plots(files::Files& files, const ui::PanelAnchor* anchor = nullptr,
                   QObject* parent = nullptr);
    files::Files& files() const { return files_; }
    ~Plots() override;

    core::PlotRange PhRange = core::DefaultPlotRange(core::Quantity::Ph, 0);
    core::PlotRange MvRange = core::DefaultPlotRange(core::Quantity::Mv, 0);
    core::PlotRange TempRange = core::DefaultPlotRange(core::Quantity::Temperature, 0);
    // Which list the last plot was opened from: each opening from a list sets exactly one of
    // them. Shared by the three quantities, so a range dialog's OK redraws from the list of the
    // latest opening, whichever quantity that was.
    bool PlotFromFileList = false;
    bool PlotFromDataList = false;

    core::PlotRange& range(core::Quantity quantity);
    const core::PlotRange& range(core::Quantity quantity) const;

    // The open plot window of `quantity`, or null.
    PlotWindow* findPlot(core::Quantity quantity) const;
    // The open plot window of `quantity`, raised, or a new one shown.
    PlotWindow* showPlot(core::Quantity quantity);
    // A new, empty plot window of `quantity`, shown; an open one is closed first.
    PlotWindow* showAfreshPlot(core::Quantity quantity);

    // The open range dialog of `quantity`, or null.
    PlotRangeDialog* findRangeDialog(core::Quantity quantity) const;
    // Shows the quantity's range dialog, raising it when it is already open. Returns it.
    PlotRangeDialog* showRangeDialog(core::Quantity quantity);

  public slots:
    // The link to the meter is lost: the open plot windows close, then the open range dialogs.
    void closeOnLinkLost();

  private:
    files::Files& files_;
    const ui::PanelAnchor* anchor_;
    QPointer<PlotWindow> windows_[3];
    QPointer<PlotRangeDialog> ranges_[3];
};

}  // namespace plots
