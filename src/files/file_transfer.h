#pragma once

#include <QString>

#include "core/record_row.h"
#include "files/files_state.h"

class QWidget;
class RecordGrid;

// Shared operations on data files, record lists and printing, and the state that goes with them.
namespace FileTransfer {

// The filter of the data-file dialogs.
QString DataFileFilter();
// A path's file name without its folder.
QString FileTitle(const QString& path);

// Shows the Save As dialog for data files (it asks before replacing a file). On a confirmed name
// stores the full path in DataFileName and returns true; on cancel returns false and leaves
// DataFileName unchanged. No extension is added to a name typed without one.
bool ChooseSaveFile(QWidget* parent);

// Writes the data rows of `grid` (rows 1 and up) to DataFileName in the list-file layout,
// replacing the file. The file is written beside its old version and swapped in only when
// complete, so a failed save leaves the old file as it was. Returns false with the reason.
bool WriteGridFile(const RecordGrid& grid, QString* error = nullptr);

// The Save command of the live list and the memory list: while a recording runs, asks whether to
// stop it ("Warning!", then ListEvents::recordingStopRequested); then ChooseSaveFile and
// WriteGridFile. A failed write is reported in a
// message naming the file and the reason; the list is left as it was.
void SaveGrid(QWidget* window, RecordGrid* grid);

// Prints the grid as a listing: two heading lines and one line of fixed-width fields per data
// row. Shows the busy pointer and keeps the display poll off meanwhile; rows that reach the grid
// while it is being collected are printed too. A failed print job is reported in a message.
void PrintGrid(QWidget* window, RecordGrid* grid);

// The live list's row append for one sample: when LiveListOpen is set, counts LiveListCount on,
// puts it in cell 0 of `row` and adds the row to RealTimeList's grid, whose view then follows
// the newest row once more than 20 data rows exist. Returns false when the live list is closed.
bool AppendLiveSample(core::RecordRow row);
// The same append for a row text whose number is already set (cells separated by TAB).
void AppendLiveRowText(RecordGrid& grid, const QString& tabText);

// The recording file: opened for appending at the start of a recording and kept open from one
// sample to the next. Each line is written through at once, so a crash loses no sample.
bool OpenRecordingFile(const QString& path, QString* error = nullptr);
// Appends `row` in the recording layout (cells 0 to 7, TABs, CR LF). False with the reason when
// no recording file is open or the line could not be written.
bool AppendRecordingLine(const core::RecordRow& row, QString* error = nullptr);
bool RecordingFileIsOpen();
void CloseRecordingFile();

}  // namespace FileTransfer
