#pragma once

#include <QPointer>
#include <QStringList>
#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace memory {

class Memory;

// "Memory": the PC side of the meter's memory. Narrow (SingleMode, "Single Rec"): memory
// size, memory remaining, the meter's clock and the single-record download. Wide (MultiMode,
// "Multi Rec"): also the list of logged sets with the progress of their download, and the
// logging interval that "Sampling" sends. Each opening makes a fresh window; it stands beside the
// panel, closes when the link to the meter is lost (memory::Memory::closeOnLinkLost), and while
// it is open the panel's "Single Rec" and "Multi Rec" are disabled. The window only shows and asks;
// the exchanges with the meter run on the line in their turn (memory_requests.h, single_download.h,
// set_download.h).
class MemoryWindow : public QWidget {
    Q_OBJECT

  public:
    enum class Mode { Single, Multi };

    // A fresh window of `memory` in `mode`, placed beside `panel`, not yet shown. Made by
    // Memory::showAfresh.
    MemoryWindow(Memory& memory, QWidget* panel, Mode mode);
    ~MemoryWindow() override;

    Mode mode() const { return mode_; }

    // What the downloads show.
    void setRemainingText(const QString& text);
    // While the set dump runs "Sampling" and "Time of Meter" are disabled; afterwards they and
    // the interval box are enabled.
    void setSetDumpRunning(bool running);
    void showDumpProgress(int percent);
    // The set list entries, in set order; none is chosen.
    void listSets(const QStringList& items);
    // "Single Record" is disabled while its download runs.
    void setSingleDownloadRunning(bool running);

    // Handlers.
    // Places the window in the first free place beside the panel.
    void Form_Load();
    // On the first show and every resize: tells the panel the window is open (its "Single Rec"
    // and "Multi Rec" go off) and asks the meter for its logging interval (one request waiting
    // at most).
    void Form_Resize();
    // Tells the panel the window has closed (its "Single Rec" and "Multi Rec" come back); writes
    // " " to the meter after a pause of 0.2 s, once the line is free.
    void Form_Unload();
    void CmdTimeofMeter_Click();
    void CmdSampling_Click();
    void CmdSingleRec_Click();
    void Combo1_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void build();
    void setMode(Mode mode);
    void requestInterval();

    Memory& memory_;
    QPointer<QWidget> panel_;
    Mode mode_;
    bool unloaded_ = false;
    bool intervalRequestWaiting_ = false;

    QLabel* SSPanel1 = nullptr;
    QLabel* LblMemorySize = nullptr;
    QLabel* SSPanel2 = nullptr;
    QLabel* LblRemaining = nullptr;
    QPushButton* CmdTimeofMeter = nullptr;
    QLabel* LblTime = nullptr;
    QPushButton* CmdSingleRec = nullptr;
    QPushButton* CmdSampling = nullptr;
    QLineEdit* TxtSampling = nullptr;
    QProgressBar* LblTitle = nullptr;
    QComboBox* Combo1 = nullptr;
};

}  // namespace memory
