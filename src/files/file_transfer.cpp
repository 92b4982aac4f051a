#include "files/file_transfer.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <string>

#include "files/busy_cursor.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "ui/dialogs.h"

namespace files {

namespace {

constexpr std::size_t kWriteChunk = 1 << 20;

// Writes `chunk` to `file` and empties it; false when the write failed.
bool writeChunk(QSaveFile& file, std::string& chunk) {
    const qint64 size = qint64(chunk.size());
    const bool ok = file.write(chunk.data(), size) == size;
    chunk.clear();
    return ok;
}

}  // namespace

bool ReplaceFileWithRows(const QString& path, std::string head, const core::RowTexts& rows,
                         const std::function<void(std::string&, std::string_view)>& appendLine,
                         QString* error) {
    BusyCursor busy;
    QSaveFile file(path);
    // Where the folder forbids creating the replacement beside the old file, write in place.
    file.setDirectWriteFallback(true);
    if (path.isEmpty() || !file.open(QIODevice::WriteOnly)) {
        if (error)
            *error =
                path.isEmpty() ? QStringLiteral("No file name was given.") : file.errorString();
        return false;
    }
    std::string chunk = std::move(head);
    chunk.reserve(kWriteChunk + 1024);
    bool ok = true;
    for (std::size_t r = 0; r < rows.size() && ok; ++r) {
        appendLine(chunk, rows.row(r));
        if (chunk.size() >= kWriteChunk) ok = writeChunk(file, chunk);
    }
    if (ok && !chunk.empty()) ok = writeChunk(file, chunk);
    if (ok && file.commit()) return true;

    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
}

QString DataFileFilter() {
    // "*" and not "*.*": names without a dot are data files too.
    return QStringLiteral("Data Files (*.dat);;All Files (*)");
}

QString FileTitle(const QString& path) {
    return QFileInfo(path).fileName();
}

bool ChooseSaveFile(Files& files, QWidget* parent, ui::Dialogs::ExistingFile existing) {
    const QString chosen =
        ui::dialogs().saveFileName(parent, QStringLiteral("Save As"), DataFileFilter(), existing);
    if (chosen.isEmpty()) return false;
    files.DataFileName = chosen;
    return true;
}

bool WriteGridFile(const RecordGrid& grid, const QString& path, QString* error) {
    // Each stored row holds its cells joined by TABs (at most eight); the line gives every one of
    // the nine cells its TAB, the last one right before the closing quotation mark.
    const auto appendLine = [](std::string& chunk, std::string_view text) {
        const auto tabs = std::size_t(std::count(text.begin(), text.end(), '\t'));
        chunk += '"';
        chunk += text;
        chunk.append(core::kRecordCells - tabs, '\t');
        chunk += "\"\r\n";
    };
    return ReplaceFileWithRows(path, {}, grid.recordModel()->dataRows(), appendLine, error);
}

}  // namespace files
