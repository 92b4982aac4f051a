#pragma once

#include <QDialog>
#include <QString>

#include "core/value_height.h"

class QLineEdit;
class QPushButton;

namespace plots {

// Plot1Range (pH), Plot2Range (mV), Plot11Range (temperature): the range of a stored-data plot.
// From (TxtT1) and To (TxtT2) choose the plotted rows, Min. (TxtR1) and Max. (TxtR2) the values
// at the time axis and at the top line. The boxes show the stored range whenever the dialog is
// shown or resized. Modeless, one per quantity; closes itself when the link is lost.
class PlotRangeDialog : public QDialog {
    Q_OBJECT

  public:
    // Shows the quantity's dialog, raising it when it is already open. Returns it.
    static PlotRangeDialog* showDialog(core::Quantity quantity);
    // The open dialog of `quantity`, or null.
    static PlotRangeDialog* find(core::Quantity quantity);
    static QString windowName(core::Quantity quantity);

  public slots:
    // Fills the four boxes from the quantity's PlotRange.
    void Form_Load();
    // Checks the entry ("Invalid, Try again!" keeps the dialog open and the plot closed),
    // stores it and draws the plot afresh from the list the source flags name, then closes.
    // When that list has been closed, says so and changes nothing.
    void CmdOk_Click();

  protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    explicit PlotRangeDialog(core::Quantity quantity);

    core::Quantity quantity_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* min_;
    QLineEdit* max_;
    QPushButton* ok_;
};

}  // namespace plots
