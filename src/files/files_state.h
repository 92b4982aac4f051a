#pragma once

#include <QString>

// The data files and record lists: what the list windows, saving, opening and the recording
// share for the run of the program.
namespace files {

struct FilesState {
    // Full path of the data file chosen last, for a recording or for a save.
    QString DataFileName;
    // A recording runs; its file stays open meanwhile (the recorder keeps this up to date).
    bool IsRecording = false;
    // Set while the live list (RealTimeList) is open and takes rows.
    bool LiveListOpen = false;
    // Number of the last row handed to the live list; never reset while the program runs.
    long LiveListCount = 0;
    // Set by the single-record download; cleared when DataList unloads. DataList's Plot menu is
    // unavailable while it is set.
    bool SingleRecordList = false;
};

extern FilesState State;
void ResetState();

}  // namespace files
