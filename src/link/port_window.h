#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;

namespace serial {

// "Commport Selection": the first window. The user picks the meter's port; the window stores
// its number in Rs232::State.CommPortNumber, announces it (portChosen) and closes itself.
class Port : public QDialog {
    Q_OBJECT
  public:
    explicit Port(QWidget* parent = nullptr);

    void CmdOK_Click();
    void SSCommand1_Click();
    void SSCommand2_Click();

  signals:
    // A port was taken; the panel is to be shown on it.
    void portChosen(int number);

  private:
    void Form_Load();
    void updateDeviceHint();
    void choose(int number);

    QComboBox* ports_ = nullptr;
    QLabel* device_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace serial
