#pragma once

#include <QObject>

#include "core/recording_notice.h"

class QWidget;

namespace files {

class RecordGrid;

// The Plot menu items of FileList and DataList.
enum class ListPlotKind { PhMv, Temperature };

// What the list commands ask of the subsystems above them; connected in the program's wiring.
class ListEvents : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;

  signals:
    // A running recording must stop now (Open File, or Save of a list confirmed while
    // recording), for the reason `why`. Connected directly: the recording has stopped when the
    // emit returns.
    void recordingStopRequested(core::RecordingStop why);
    // A Plot menu item of a list window (FileList or DataList) was chosen.
    void plotRequested(QWidget* listWindow, RecordGrid* grid, files::ListPlotKind kind);
};

ListEvents& events();

}  // namespace files
