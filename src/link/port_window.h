#pragma once

#include <QDialog>
#include <QList>
#include <memory>

#include "link/port_lister.h"

class QComboBox;
class QFileSystemWatcher;
class QLabel;
class QPushButton;
class QTimer;

namespace serial {

// "Commport Selection": the first window. COM1 to COM8 come first, each with what opening its
// device would give; below them the serial ports this computer has, by stable name, following
// plugs and unplugs while the window is open. The user picks the meter's port: a COMn entry
// stores its number in CommPortNumber (portChosen), a listed port or a typed path
// is announced by name (deviceChosen); then the window closes itself. Cancel (or closing the
// window) rejects it.
class Port : public QDialog {
    Q_OBJECT
  public:
    // `lister` gives the ports listed below COM1 to COM8; null: the system's ports.
    explicit Port(QWidget* parent = nullptr, std::shared_ptr<const PortLister> lister = nullptr);
    ~Port() override;

    void CmdOK_Click();
    void SSCommand1_Click();
    void SSCommand2_Click();

    // Lists the ports afresh, keeping the user's choice while it exists; runs once the window
    // has been painted first, then every 1.5 s and when the stable-name folder changes while the
    // window is open.
    void refreshPorts();
    // Selects the entry whose text or device is `choice`; else puts `choice` in the box as typed.
    // A COMn choice is also the COM number an emptied box takes.
    void preselect(const QString& choice);
    // The COM number chosen last in this window, 1 to 8; 0 until then.
    int commPortNumber() const { return CommPortNumber; }

  signals:
    // A COMn entry was taken; the panel is to be shown on it.
    void portChosen(int number);
    // A listed port (by its stable name, else its device) or a typed path was taken.
    void deviceChosen(const QString& device);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void Form_Load();
    void updateDeviceHint();
    void updateComHints();
    void listPorts(const QList<PortInfo>& ports);
    void watchStableNames();
    void choose(int number);
    void chooseDevice(const QString& device);

    std::shared_ptr<const PortLister> lister_;
    QList<PortInfo> listed_;
    QComboBox* ports_ = nullptr;
    QLabel* device_ = nullptr;
    QPushButton* ok_ = nullptr;
    QTimer* refresh_ = nullptr;
    QFileSystemWatcher* watcher_ = nullptr;
    bool firstListingAsked_ = false;
    int CommPortNumber = 0;
};

}  // namespace serial
