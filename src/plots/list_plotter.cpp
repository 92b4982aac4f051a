#include "plots/list_plotter.h"

#include "plots/plot_operations.h"

namespace plots {

void ListPlotter::plotRequested(QWidget* listWindow, RecordGrid* grid,
                                FileTransfer::ListPlotKind kind) {
    if (grid) Plots::OpenPlotFromList(listWindow, *grid, kind);
}

}  // namespace plots
