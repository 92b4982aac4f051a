#pragma once

#include <QDateTime>

#include "files/record_list_window.h"

class QLabel;

namespace files {

// The records read out of the meter's memory. The downloads write their progress and titles
// into the title panel LblTitle and add rows to the grid.
class DataList : public RecordListWindow {
    Q_OBJECT

  public:
    // The Plot menu is unavailable when SingleRecordList is set at creation.
    explicit DataList(Files& files);
    ~DataList() override;

    QLabel* lblTitle() const { return title_; }
    // When the list was opened, by the PC clock: the time of its download.
    const QDateTime& openedAt() const { return openedAt_; }

  public slots:
    void CmdDsave_Click();
    void CmdDprint_Click();

  protected:
    // Clears SingleRecordList and leaves the owner.
    void Form_Unload() override;
    bool plotAvailable() const override { return plotAvailable_; }

  private:
    QLabel* title_;
    bool plotAvailable_;
    QDateTime openedAt_;
};

}  // namespace files
