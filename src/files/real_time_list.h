#pragma once

#include "files/record_list_window.h"

namespace files {

// The live list: one row per sample while LiveListOpen is set.
class RealTimeList : public RecordListWindow {
    Q_OBJECT

  public:
    RealTimeList();
    ~RealTimeList() override;

    // The open RealTimeList, or null.
    static RealTimeList* find();

  public slots:
    void CmdRsave_Click();
    void CmdRprint_Click();

  protected:
    // Clears LiveListOpen.
    void Form_Unload() override;
};

}  // namespace files
