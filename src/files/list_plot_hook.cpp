#include "files/list_plot_hook.h"

#include <utility>

namespace FileTransfer {

namespace {

ListPlotHandler& plotHandler() {
    static ListPlotHandler handler;
    return handler;
}

}  // namespace

void setListPlotHandler(ListPlotHandler handler) {
    plotHandler() = std::move(handler);
}

void requestListPlot(QWidget* listWindow, RecordGrid* grid, ListPlotKind kind) {
    // A copy, so that a handler that installs another one does not destroy itself while running.
    const ListPlotHandler handler = plotHandler();
    if (handler) handler(listWindow, grid, kind);
}

}  // namespace FileTransfer
