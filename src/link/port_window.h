#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

namespace serial {

// "Commport Selection": the first window. The user picks the meter's port; the window stores
// its number in Rs232::CommPortNumber, runs the "show panel" action and closes itself.
class Port : public QDialog {
    Q_OBJECT
public:
    explicit Port(std::function<void()> showPanel, QWidget* parent = nullptr);

    void CmdOK_Click();
    void SSCommand1_Click();
    void SSCommand2_Click();

private:
    void Form_Load();
    void updateDeviceHint();
    void choose(int number);

    std::function<void()> showPanel_;
    QComboBox* ports_ = nullptr;
    QLabel* device_ = nullptr;
    QPushButton* ok_ = nullptr;
};

}  // namespace serial
