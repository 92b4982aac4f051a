#pragma once

#include <QObject>

class QWidget;

namespace memory {

class Memory;

// The panel's memory buttons: "Single Rec" opens the Memory window narrow, "Multi Rec" opens it
// wide and reads the logged sets. Lives as long as its panel, which owns the exchanges.
class MemoryCommands : public QObject {
    Q_OBJECT
  public:
    MemoryCommands(Memory& memory, QWidget* panel);

  public slots:
    // Closes an open Memory window, asks the meter for its set-memory pointer and opens the
    // window narrow with the single-mode remaining text. Says so when the meter does not answer.
    void CmdPsingle_Click();
    // The set download (set_download.h).
    void CmdPmul_Click();

  private:
    Memory& memory_;
    QWidget* panel_;
};

}  // namespace memory
