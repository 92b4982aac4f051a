#pragma once

#include <QObject>

class QWidget;

namespace files {

class RecordGrid;

// The Plot menu items of FileList and DataList.
enum class ListPlotKind { PhMv, Temperature };

// What the list windows ask of the subsystems above them; connected in the program's wiring.
class ListEvents : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    // A Plot menu item of a list window (FileList or DataList) was chosen.
    void plotRequested(QWidget* listWindow, RecordGrid* grid, files::ListPlotKind kind);
};

}  // namespace files
