#pragma once

#include <QDialog>

#include "core/graph_range.h"

class QLineEdit;

namespace recording {

class LiveGraphs;

// The range dialog of a live graph: "Real1Range" (pH), "Real2Range" (mV), "Real1_1Range"
// (temperature). Three captioned panels with the number of points across the graph, the value
// at its base line and the value at its top line; "OK" checks the entries (each must be wholly
// a number: records >= 10, min >= 0, max > min): invalid ones close the graph and are named in a
// message; valid ones are stored, the graph starts again empty in its window (opened when
// closed), and the dialog closes. Not modal. Its owner (LiveGraphs) makes and finds it.
class GraphRangeDialog : public QDialog {
    Q_OBJECT

  public:
  public slots:
    void CmdOk_Click();

  private:
    friend class LiveGraphs;

    GraphRangeDialog(LiveGraphs& graphs, core::Quantity quantity);

    LiveGraphs& graphs_;
    core::Quantity quantity_;
    QLineEdit* records_;
    QLineEdit* min_;
    QLineEdit* max_;
};

}  // namespace recording
