#pragma once

#include <functional>

class QWidget;
class RecordGrid;

namespace FileTransfer {

// The Plot menu items of FileList and DataList.
enum class ListPlotKind { PhMv, Temperature };

// Opens a plot of a list: gets the list window (FileList or DataList), its grid and the item.
using ListPlotHandler = std::function<void(QWidget* listWindow, RecordGrid* grid, ListPlotKind)>;

// Installed by the stored-data plots; an empty handler makes the Plot items do nothing.
void setListPlotHandler(ListPlotHandler handler);
// Calls the installed handler, if any.
void requestListPlot(QWidget* listWindow, RecordGrid* grid, ListPlotKind kind);

}  // namespace FileTransfer
