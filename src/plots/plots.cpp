#include "plots/plots.h"

#include "ui/window_placement.h"

#include <cstddef>

#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"

namespace plots {

namespace {

std::size_t slotOf(core::Quantity quantity) {
    return static_cast<std::size_t>(quantity);
}

// A closed window stays until its deferred deletion; it counts as gone from the close on.
template <class W>
W* openOf(const QPointer<W>& window) {
    return window && window->isVisible() ? window.data() : nullptr;
}

}  // namespace

Plots::Plots(files::Files& files, const ui::PanelAnchor* anchor, QObject* parent)
    : QObject(parent), files_(files), anchor_(anchor) {}

Plots::~Plots() {
    for (const QPointer<PlotRangeDialog>& dialog : ranges_) delete dialog.data();
    for (const QPointer<PlotWindow>& window : windows_) delete window.data();
}

core::PlotRange& Plots::range(core::Quantity quantity) {
    switch (quantity) {
        case core::Quantity::Mv:
            return MvRange;
        case core::Quantity::Temperature:
            return TempRange;
        case core::Quantity::Ph:
            break;
    }
    return PhRange;
}

const core::PlotRange& Plots::range(core::Quantity quantity) const {
    return const_cast<Plots*>(this)->range(quantity);
}

PlotWindow* Plots::findPlot(core::Quantity quantity) const {
    return openOf(windows_[slotOf(quantity)]);
}

PlotWindow* Plots::showPlot(core::Quantity quantity) {
    PlotWindow* window = findPlot(quantity);
    if (!window) {
        window = new PlotWindow(*this, quantity);
        windows_[slotOf(quantity)] = window;
        if (anchor_) anchor_->place(window);
    }
    window->show();
    window->raise();
    return window;
}

PlotWindow* Plots::showAfreshPlot(core::Quantity quantity) {
    if (PlotWindow* open = findPlot(quantity)) open->close();
    auto* window = new PlotWindow(*this, quantity);
    windows_[slotOf(quantity)] = window;
    if (anchor_) anchor_->place(window);
    window->show();
    return window;
}

PlotRangeDialog* Plots::findRangeDialog(core::Quantity quantity) const {
    return openOf(ranges_[slotOf(quantity)]);
}

PlotRangeDialog* Plots::showRangeDialog(core::Quantity quantity) {
    PlotRangeDialog* dialog = findRangeDialog(quantity);
    if (!dialog) {
        dialog = new PlotRangeDialog(*this, quantity);
        ranges_[slotOf(quantity)] = dialog;
    }
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void Plots::closeOnLinkLost() {
    for (const QPointer<PlotWindow>& window : windows_)
        if (PlotWindow* open = openOf(window)) open->close();
    for (const QPointer<PlotRangeDialog>& dialog : ranges_)
        if (PlotRangeDialog* open = openOf(dialog)) open->close();
}

}  // namespace plots
