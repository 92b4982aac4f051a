#pragma once

#include <QPointer>
#include <QString>
#include <functional>

#include "core/record_row.h"
#include "core/recording_notice.h"
#include "files/list_events.h"

class QWidget;

// The data files and record lists: what the list windows, saving, opening and the recording
// share for the run of one session.
namespace ui {
class PanelAnchor;
}

namespace files {

class DataList;
class FileList;
class RealTimeList;

// What the files code must know of the recording, given by its owner: whether one runs, into
// which file, and how to stop it. Stopping is synchronous: it has stopped when the call returns.
struct RecordingLink {
    std::function<bool()> isRecording;
    std::function<QString()> file;
    std::function<void(core::RecordingStop why)> stop;
};

// Owns the lists' state and the three list windows of a session.
class Files {
  public:
    // New list windows go where `anchor` places them (none: where the system puts them).
    explicit Files(RecordingLink recording = {}, const ui::PanelAnchor* anchor = nullptr);
    ~Files();
    Files(const Files&) = delete;
    Files& operator=(const Files&) = delete;

    // Full path of the data file chosen last, for a recording or for a save.
    QString DataFileName;
    // Number of the last row handed to the live list; never reset while the session runs.
    long LiveListCount = 0;
    // Set by the single-record download; cleared when DataList unloads. DataList's Plot menu is
    // unavailable while it is set.
    bool SingleRecordList = false;

    // The live list is open and takes rows.
    bool liveListOpen() const;

    // The open window, or null.
    RealTimeList* findRealTimeList() const;
    DataList* findDataList() const;
    FileList* findFileList() const;
    // A fresh window, shown; an open one is closed first.
    RealTimeList* showAfreshRealTimeList();
    DataList* showAfreshDataList();
    FileList* showAfreshFileList();
    // Closes the open DataList, if any (its unload clears SingleRecordList).
    void closeDataList();

    // The lists close when the link to the meter is lost: live list, memory list, file list.
    void closeOnLinkLost();

    // The live list's row append for one sample: when the live list is open, counts
    // LiveListCount on, puts it in cell 0 of `row` and adds the row to its grid, whose view then
    // follows the newest row once more than 20 data rows exist. False when the live list is
    // closed.
    bool AppendLiveSample(core::RecordRow row);

    // Whether a recording runs, its file, and stopping it (see RecordingLink).
    bool isRecording() const { return recording_.isRecording && recording_.isRecording(); }
    QString recordingFile() const { return recording_.file ? recording_.file() : QString(); }
    void stopRecording(core::RecordingStop why) {
        if (recording_.stop) recording_.stop(why);
    }

    // The list windows' requests to the modules above (plots).
    ListEvents& events() { return events_; }

  private:
    friend class RealTimeList;
    friend class DataList;
    friend class FileList;

    RecordingLink recording_;
    const ui::PanelAnchor* anchor_;
    ListEvents events_;
    QPointer<RealTimeList> liveList_;
    QPointer<DataList> dataList_;
    QPointer<FileList> fileList_;
};

}  // namespace files
