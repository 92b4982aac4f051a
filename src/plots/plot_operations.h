#pragma once

#include <QString>

#include "core/value_height.h"
#include "files/list_events.h"

class QWidget;
namespace files {
class RecordGrid;
class RecordListWindow;
}  // namespace files

namespace plots {
class PlotWindow;
class Plots;
}  // namespace plots

// The drawing of the stored-data plots and their opening from a list's Plot menu.
namespace plots {

// Draw the records of `grid` on the plot window with the PlotRange in `plots` of their quantity
// (pH: column 3, mV: column 3, temperature: column 5): the value labels; with two points or more
// the time labels of rows FirstRecord, (FirstRecord + LastRecord) / 2 and LastRecord, the unit
// label from row 1 and the trace. The drawing stops at the first plotted row that does not
// exist (only the labels set until then change), and draws no trace when MaxValue equals
// MinValue. Row 0 is the header row. The values are read once from the grid's compact rows.
void PlotPh(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid);
void PlotMv(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid);
void PlotTemp(const Plots& plots, PlotWindow& window, const files::RecordGrid& grid);
// The plot operation of `quantity`.
void PlotQuantity(const Plots& plots, core::Quantity quantity, PlotWindow& window,
                  const files::RecordGrid& grid);

// A Plot menu item of FileList or DataList: sets the source flags; "pH / mV" plots pH or mV by
// cell 4 of row 1 (anything else plots nothing), "Temperature" always plots temperature. The
// quantity's PlotRange starts from its defaults over every row of the list; an open plot window
// of that quantity is drawn over, else a new one opens.
void OpenPlotFromList(Plots& plots, QWidget* listWindow, const files::RecordGrid& grid,
                      files::ListPlotKind kind);

// Fit to Data of the quantity's plot: From and To over every record of the list the range
// dialog redraws from, Min. and Max. the readable range of its readings (over-range and blank
// records left out, core::FitPlotRange); then the plot is drawn afresh as by the range dialog's
// OK, and an open range dialog shows the fitted range. A closed list, or one without readings,
// is reported and the range kept.
void FitToData(Plots& plots, core::Quantity quantity, QWidget* parent);

// Says that the list a plot was drawn from has been closed.
void ReportClosedSource(QWidget* parent, const QString& title);

// The title of a list a plot is drawn from: a file list's caption (the file's name), for the
// meter-memory list the time of the download.
QString ListTitle(const QWidget* listWindow);
// The title of the list SourceGrid() belongs to; empty when that list is not open.
QString SourceTitle(const Plots& plots);

// The list a range dialog redraws from: DataList when PlotFromDataList is set, otherwise
// FileList when PlotFromFileList is set. Null when that list is not open. The one place that
// looks the lists up.
files::RecordListWindow* SourceList(const Plots& plots);
// The grid of SourceList(); null when that list is not open.
files::RecordGrid* SourceGrid(const Plots& plots);

}  // namespace plots
