#pragma once

#include <QObject>

#include "files/list_events.h"
#include "files/record_grid.h"  // complete for the signal's connection

class QWidget;

namespace plots {

class Plots;

// Answers the Plot menus of FileList and files::DataList (files::Files::events(), plotRequested)
// with the plots of `plots`.
class ListPlotter : public QObject {
    Q_OBJECT

  public:
    explicit ListPlotter(Plots& plots, QObject* parent = nullptr)
        : QObject(parent), plots_(plots) {}

  public slots:
    // Opens or draws over the plot of `grid` that `kind` asks for (plots::OpenPlotFromList).
    void plotRequested(QWidget* listWindow, files::RecordGrid* grid, files::ListPlotKind kind);

  private:
    Plots& plots_;
};

}  // namespace plots
