#pragma once

#include <QObject>

namespace panel {
class Panel;
}

namespace recording {

// The recording into a data file, shown on the panel.
class Recorder : public QObject {
    Q_OBJECT
  public:
    explicit Recorder(panel::Panel* panel);

  public slots:
    // Ends a running recording: clears IsRecording, restores the panel's "Save As" caption,
    // hides "Recording:", empties the count and closes the file. Nothing when none runs.
    void StopRecording();

  private:
    panel::Panel* panel_;
};

}  // namespace recording
