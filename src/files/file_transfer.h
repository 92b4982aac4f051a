#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/record_row.h"
#include "ui/dialogs.h"

class QWidget;

// Shared operations on data files, record lists and printing, and the state that goes with them.
namespace files {

class Files;
class RecordGrid;

// The filter of the data-file dialogs.
QString DataFileFilter();
// A path's file name without its folder.
QString FileTitle(const QString& path);

// Shows the Save As dialog for data files (by default it asks before replacing a file; a
// recording, which appends, takes an existing file without asking). On a confirmed name stores
// the full path in `files`' DataFileName and returns true; on cancel returns false and leaves
// DataFileName unchanged. A name typed without a suffix gets the chosen filter's (".dat").
bool ChooseSaveFile(
    Files& files, QWidget* parent,
    ui::Dialogs::ExistingFile existing = ui::Dialogs::ExistingFile::AskBeforeReplacing);

// Writes the data rows of `grid` (rows 1 and up) to `path` in the list-file layout, replacing
// the file. The file is written beside its old version and swapped in only when complete, so a
// failed save leaves the old file as it was. Returns false with the reason.
bool WriteGridFile(const RecordGrid& grid, const QString& path, QString* error = nullptr);

// Replaces the file at `path` with `head` followed by one line per row of `rows`, which
// `appendLine` adds to the text given. The lines go out in chunks of about a megabyte (one write
// each, never one giant string), beside the old file, which is swapped for the new one only when
// it is complete, so a failed write leaves the old file as it was. False with the reason.
bool ReplaceFileWithRows(const QString& path, std::string head, const core::RowTexts& rows,
                         const std::function<void(std::string&, std::string_view)>& appendLine,
                         QString* error);

// The Save command of the live list and the memory list: while a recording runs, asks whether to
// stop it ("Warning!", then Files::stopRecording); then ChooseSaveFile and WriteGridFile into
// DataFileName. A failed write is reported in a message naming the file and the reason; the
// list is left as it was.
void SaveGrid(Files& files, QWidget* window, RecordGrid* grid);

// The filter of the CSV dialog.
QString CsvFileFilter();

// Writes the data rows of `grid` to `path` as CSV for spreadsheets (core/csv_export.h: a header
// line, then one line per row), replacing the file. Rows are written in blocks, and the file is
// swapped in only when complete, so a failed save leaves the old file as it was. False with the
// reason.
bool WriteCsvFile(const RecordGrid& grid, const QString& path, QString* error = nullptr);

// "Save As CSV..." of the record lists: asks for a file (".csv" suggested) and writes the list
// to it. A running recording goes on; its own file is refused, so that it is never replaced
// under it. A failed write is reported in a message naming the file and the reason. The list,
// DataFileName and the data files are left as they were.
void SaveGridAsCsv(Files& files, QWidget* window, RecordGrid* grid);

// Prints the grid as a listing: two heading lines and one line of fixed-width fields per data
// row. Shows the busy pointer and keeps the display poll off meanwhile; rows that reach the grid
// while it is being collected are printed too. A failed print job is reported in a message.
void PrintGrid(QWidget* window, RecordGrid* grid);

// The live list's append of one row (Files::AppendLiveSample) for a row text whose number is
// already set (cells separated by TAB).
void AppendLiveRowText(RecordGrid& grid, const QString& tabText);

// The recording file: a data file opened for appending at the start of a recording and kept
// open from one sample to the next. Not tied to a thread: the recorder writes it from a worker
// thread so that a slow or stalled disk never holds up the windows.
class RecordingFile {
  public:
    // Opens `path` for appending; a missing file is created. When the file ends inside a line
    // (cut off by a power failure), the first new line is preceded by the missing line end.
    // Null with the reason when the file cannot be opened.
    static std::unique_ptr<RecordingFile> open(const QString& path, QString* error = nullptr);
    ~RecordingFile();
    RecordingFile(const RecordingFile&) = delete;
    RecordingFile& operator=(const RecordingFile&) = delete;

    // Appends one complete line (line end included) with one write, so that the line is in the
    // file whole once this returns, also if the program dies right after. A line written only
    // in part (disk full) is cut off again: the file never ends inside a line. False with the
    // reason when the line could not be written.
    bool appendLine(std::string_view line, QString* error = nullptr);
    // Forces everything written so far onto the disk. False with the reason (a removed stick).
    bool sync(QString* error = nullptr);

    const QString& path() const { return path_; }

  private:
    RecordingFile(int fd, QString path, std::string missingLineEnd);

    int fd_;
    QString path_;
    std::string missingLineEnd_;  // written in front of the first line
};

}  // namespace files
