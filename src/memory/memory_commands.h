#pragma once

#include <QObject>

namespace panel {
class Panel;
}

namespace memory {

// The panel's memory buttons: "Single Rec" opens the Memory window narrow, "Multi Rec" opens it
// wide and reads the logged sets. Lives as long as its panel.
class MemoryCommands : public QObject {
    Q_OBJECT
  public:
    explicit MemoryCommands(panel::Panel* panel);

  public slots:
    // Closes an open Memory window, asks the meter for its set-memory pointer and opens the
    // window narrow with the single-mode remaining text. Says so when the meter does not answer.
    void CmdPsingle_Click();
    // The set download (set_download.h).
    void CmdPmul_Click();

  private:
    panel::Panel* panel_;
};

}  // namespace memory
