#pragma once

#include <QHash>
#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace serial {
class SerialLine;
}
namespace meter {
class DisplayPoll;
}

namespace panel {

class SegmentDisplay;

// "Panel V7.0": the main window, a picture of the meter. Owns the serial line (Comm1), the
// display poll (Timer1) and the sampling timer (Timer2). Closing it ends the program.
class Panel : public QWidget {
    Q_OBJECT
  public:
    // `line` is owned by the panel.
    explicit Panel(serial::SerialLine* line, QWidget* parent = nullptr);
    ~Panel() override;

    // Start-up: opens the port, sets the start values and starts the display poll. On failure
    // shows "No device found, try again!" once and ends the program; returns false then.
    bool Form_Load();

    // The one panel of the program, if it exists.
    static Panel* instance();

    QLabel* label(const QString& name) const;
    QPushButton* button(const QString& name) const;
    meter::DisplayPoll* displayPoll() const { return poll_; }
    QTimer* timer1() const { return timer1_; }
    QTimer* timer2() const { return timer2_; }
    serial::SerialLine* comm1() const { return line_; }

    void MnuSystem_Click();
    void SSCommand1_Click();
    void keyClicked(int code);

    // Secondary windows closed by the lost-link state, in closing order.
    static const QStringList& lostLinkWindows();

  signals:
    // The Alarm button was clicked (the alarm dialog is opened by whoever listens).
    void alarmRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    void buildDisplay(QWidget* lcd);
    QWidget* buildKeypad();
    QWidget* buildToolButtons();
    QWidget* buildStatus();
    void applyState();
    void onLinkLost();
    void onLinkRestored();
    void Timer2_Timer();
    void setMeterButtonsEnabled(bool enabled);
    QString comText() const;

    template <class W>
    W* add(W* widget, const QString& name);

    serial::SerialLine* line_;
    meter::DisplayPoll* poll_;
    QTimer* timer1_;
    QTimer* timer2_;
    QHash<QString, QWidget*> widgets_;
    bool displayFrozen_ = false;
};

}  // namespace panel
