#pragma once

#include "files/record_list_window.h"

// The rows of a data file opened from disk ("Open File" on the front panel).
class FileList : public RecordListWindow {
    Q_OBJECT

  public:
    FileList();
    ~FileList() override;

    // The open FileList, or null.
    static FileList* find();

  public slots:
    void CmdFprint_Click();
};
