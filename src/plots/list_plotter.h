#pragma once

#include <QObject>

#include "files/list_events.h"
#include "files/record_grid.h"  // complete for the signal's connection

class QWidget;

namespace plots {

// Answers the Plot menus of FileList and files::DataList (files::Files::events(), plotRequested).
class ListPlotter : public QObject {
    Q_OBJECT

  public:
    using QObject::QObject;

  public slots:
    // Opens or draws over the plot of `grid` that `kind` asks for (plots::OpenPlotFromList).
    void plotRequested(QWidget* listWindow, files::RecordGrid* grid, files::ListPlotKind kind);
};

}  // namespace plots
