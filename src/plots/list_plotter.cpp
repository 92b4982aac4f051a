#include "plots/list_plotter.h"

#include "plots/plot_operations.h"

namespace plots {

void ListPlotter::plotRequested(QWidget* listWindow, files::RecordGrid* grid,
                                files::ListPlotKind kind) {
    if (grid) plots::OpenPlotFromList(plots_, listWindow, *grid, kind);
}

}  // namespace plots
