#pragma once

#include "files/record_list_window.h"

namespace files {

// The live list: one row per sample while it is open (Files::AppendLiveSample). It is its
// owner's live list from its making until it unloads.
class RealTimeList : public RecordListWindow {
    Q_OBJECT

  public:
    explicit RealTimeList(Files& files);
    ~RealTimeList() override;

  public slots:
    void CmdRsave_Click();
    void CmdRprint_Click();

  protected:
    // Leaves the owner: the live list is closed.
    void Form_Unload() override;
};

}  // namespace files
