#pragma once

#include <QDialog>
#include <QString>

#include "core/value_height.h"

class QLineEdit;
class QPushButton;

namespace plots {

class Plots;

// Plot1Range (pH), Plot2Range (mV), Plot11Range (temperature): the range of a stored-data plot.
// From (TxtT1) and To (TxtT2) choose the plotted rows, Min. (TxtR1) and Max. (TxtR2) the values
// at the time axis and at the top line. The boxes show the stored range whenever the dialog is
// shown or resized. Modeless, one per quantity: made and found through the session's
// plots::Plots.
class PlotRangeDialog : public QDialog {
    Q_OBJECT

  public:
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
    friend class Plots;
    PlotRangeDialog(Plots& plots, core::Quantity quantity);

    Plots& plots_;
    core::Quantity quantity_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* min_;
    QLineEdit* max_;
    QPushButton* ok_;
};

}  // namespace plots
