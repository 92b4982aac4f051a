#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;

namespace serial {
class SerialLine;
}
namespace meter {
class DisplayPoll;
class Readout;
}  // namespace meter
namespace serial {
class TransactionQueue;
}

namespace panel {

class SegmentDisplay;

// "Panel V7.0": the main window, a picture of the meter. It shows the session's readout, opens the
// session's line (Comm1) at start-up and starts its display poll (Timer1), and alone switches its
// buttons, from what it is told. Its tool buttons only announce what the user asked for; the
// subsystems that own those commands are connected in the program's wiring. Closing it ends the
// session and the program.
class Panel : public QWidget {
    Q_OBJECT
  public:
    // The widgets that the panel's own code and its collaborators touch.
    struct Controls {
        SegmentDisplay* LblUpValue = nullptr;
        QLabel* LblUpUnit = nullptr;
        SegmentDisplay* LblDownLeftValue = nullptr;
        SegmentDisplay* LblDownRightValue = nullptr;
        QLabel* LblAuto = nullptr;
        QLabel* Lblfc = nullptr;
        QLabel* LblA = nullptr;
        QLabel* LblM = nullptr;
        QLabel* LblR = nullptr;
        QLabel* LblCal = nullptr;
        QLabel* LblAdj = nullptr;
        QLabel* LblTest = nullptr;
        QLabel* LblDate = nullptr;
        QLabel* LblBt = nullptr;
        QLabel* LblUOver = nullptr;
        QLabel* LblUUnder = nullptr;
        QLabel* LblDOver = nullptr;
        QLabel* LblDUnder = nullptr;
        QLabel* Lbl232 = nullptr;
        QLabel* LblComm = nullptr;
        QLabel* RecordingLbl = nullptr;
        QLabel* LblCount = nullptr;
        QLabel* LblSample = nullptr;
        QLabel* LblFile = nullptr;
        QLabel* LblRecordingNotice = nullptr;
        QPushButton* CmdPopen = nullptr;
        QPushButton* CmdPlist = nullptr;
        QPushButton* CmdPpHG = nullptr;
        QPushButton* CmdPtempG = nullptr;
        QPushButton* CmdPSample = nullptr;
        QPushButton* CmdPsingle = nullptr;
        QPushButton* CmdPmul = nullptr;
        QPushButton* CmdPsavestop = nullptr;
        QPushButton* SSCommand1 = nullptr;
        QPushButton* MnuSystem = nullptr;
    };

    // The panel shows `readout`, which `poll` writes from `line` through `queue`; all four belong
    // to the session.
    Panel(serial::SerialLine* line, serial::TransactionQueue* queue, meter::DisplayPoll* poll,
          const meter::Readout* readout, QWidget* parent = nullptr);
    ~Panel() override;

    // Start-up, run before the panel is shown: opens the port and starts the display poll. On
    // failure shows "No device found, try again!" (with the device and the reason) once and
    // returns false (the session then ends and the program offers the port choice again).
    bool Form_Load();

    const Controls& controls() const { return c_; }
    meter::DisplayPoll* displayPoll() const { return poll_; }
    QTimer* timer1() const;
    serial::SerialLine* comm1() const { return line_; }

    // Named widgets by object name, for tests and tools.
    QLabel* label(const QString& name) const;
    QPushButton* button(const QString& name) const;

    // What the recording shows on the panel.
    void showRecording(bool recording);
    void showRecordCount(const QString& text);
    void showFileName(const QString& text);
    void showSamplingInterval(const QString& text);
    // The sampling interval as the panel shows it ("2 sec", "10 Sec").
    QString samplingIntervalText() const;
    // How the last recording ended, shown below the recording's labels; empty hides it.
    void showRecordingNotice(const QString& text);

    // Asked before the panel closes (and the program ends); returning false keeps it open.
    void setCloseCheck(std::function<bool()> check) { closeCheck_ = std::move(check); }
    // A download from the meter's memory runs (or has ended): "Single Rec", "Multi Rec" and
    // "Time Set" are off while it runs, and closing the panel asks first.
    void setDownloadRunning(bool running);
    // The Memory window is open (or has closed): "Single Rec" and "Multi Rec" are off while it
    // is open.
    void setMemoryWindowOpen(bool open);
    // The set dump is listed in the Memory window: "Time Set" is back; the download counts as
    // running until a set is chosen.
    void setsListed();

    // Handlers.
    void keyClicked(std::uint8_t code);
    void MnuSystem_Click();
    void SSCommand1_Click();
    void CmdPopen_Click();
    void CmdPlist_Click();
    void CmdPpHG_Click();
    void CmdPtempG_Click();
    void CmdPSample_Click();
    void CmdPsingle_Click();
    void CmdPmul_Click();
    void CmdPsavestop_Click();

  signals:
    // The tool buttons: what the user asked for.
    void alarmRequested();
    void openFileRequested();
    void liveListRequested();
    void phMvGraphRequested();
    void temperatureGraphRequested();
    void samplingIntervalRequested();
    void singleRecordsRequested();
    void multiRecordsRequested();
    void saveOrStopRequested();
    // "Port…": the user wants to choose the port again.
    void portChoiceRequested();
    // The panel is closing (its questions answered): the program ends with it.
    void closing();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildDisplay(QFrame* lcd);
    QWidget* buildKeypad();
    QWidget* buildToolButtons();
    QWidget* buildStatus();
    void applyState();
    void onLinkLost();
    void onLinkRestored();
    void setMeterButtonsEnabled(bool enabled);
    QString comText() const;
    QString portFailureText() const;

    serial::SerialLine* line_;
    serial::TransactionQueue* queue_;
    meter::DisplayPoll* poll_;
    const meter::Readout* readout_;
    Controls c_;
    bool displayFrozen_ = false;
    bool downloadRunning_ = false;
    std::function<bool()> closeCheck_;
};

}  // namespace panel
