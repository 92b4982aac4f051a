#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/alarm_limits.h"
#include "link/transaction.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
namespace serial {
class TransactionQueue;
}

namespace alarms {

class Alarm;

// "Alarm": switches the limit alarms on or off (pH or mV, 'C or 'F) and edits the high and low
// limits of all four quantities in Alarm::AlarmLimits. The switches change as soon as a box
// is ticked, so the display poll uses them at once; the limits change only on "OK", which then
// presses the meter keys that put the meter into the watched units.
class AlarmDialog : public QDialog {
    Q_OBJECT
  public:
    // Fills the text boxes from the stored limits and ticks the boxes of the alarms that are on.
    void Form_Load();
    void Ckp_Click();
    void Ckm_Click();
    void CkC_Click();
    void CkF_Click();
    // Validates all eight limits, stores them and the switches, presses the unit keys, closes.
    void CmdOk_Click();

  private:
    enum Quantity { Ph, Mv, Celsius, Fahrenheit };
    static constexpr int kQuantities = 4;

    // The widgets of one quantity's row.
    struct Row {
        QCheckBox* box = nullptr;
        QLabel* highPanel = nullptr;
        QLabel* lowPanel = nullptr;
        QLineEdit* high = nullptr;
        QLineEdit* low = nullptr;
    };

    // Made by Alarm::show.
    friend class Alarm;
    AlarmDialog(Alarm& alarm, QWidget* parent);
    void buildRow(Quantity q, QGridLayout* grid);
    void checkClicked(Quantity q);
    void showLimits(Quantity q, bool shown);
    void fillLimits(Quantity q);
    // The eight limits as typed, or nothing when any is not a number or a low limit is not
    // below its high limit. The switches are left as they are.
    std::optional<core::AlarmLimits> enteredLimits() const;
    // Presses the keys of the units whose alarms are on, a second apart.
    // The unit keys of the watched quantities of `limits` from row `from` on, each followed by a
    // pause. The chain outlives the dialog; `limits` lives as long as the session.
    static serial::Transaction unitKeys(const core::AlarmLimits* limits, int from);

    core::AlarmLimits& limits_;
    serial::TransactionQueue& queue_;
    std::array<Row, kQuantities> rows_{};
    QPushButton* ok_ = nullptr;
    bool sendingKeys_ = false;
};

}  // namespace alarms
