#pragma once

#include "files/record_list_window.h"

namespace files {

// The rows of a data file opened from disk ("Open File" on the front panel).
class FileList : public RecordListWindow {
    Q_OBJECT

  public:
    explicit FileList(Files& files);
    ~FileList() override;

    // While Open File still reads the rows: the grid is empty and the menus are disabled.
    bool loading() const { return loading_; }
    void setLoading(bool loading);

  public slots:
    void CmdFprint_Click();

  protected:
    // Leaves the owner.
    void Form_Unload() override;

  private:
    bool loading_ = false;
};

}  // namespace files
