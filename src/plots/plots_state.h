#pragma once

#include "core/plot_range.h"

// The stored-data plots: the range of each quantity's plot and the list the plots were last
// opened from, kept for the run of the program.
namespace files {
class Files;
}

namespace plots {

struct PlotsState {
    // The session's record lists the plots are drawn from; set by the program's wiring.
    files::Files* Lists = nullptr;
    core::PlotRange PhRange = core::DefaultPlotRange(core::Quantity::Ph, 0);
    core::PlotRange MvRange = core::DefaultPlotRange(core::Quantity::Mv, 0);
    core::PlotRange TempRange = core::DefaultPlotRange(core::Quantity::Temperature, 0);
    // Which list the last plot was opened from: each opening from a list sets exactly one of
    // them. Shared by the three quantities, so a range dialog's OK redraws from the list of the
    // latest opening, whichever quantity that was.
    bool PlotFromFileList = false;
    bool PlotFromDataList = false;

    core::PlotRange& range(core::Quantity quantity);
};

extern PlotsState State;
void ResetState();

}  // namespace plots
