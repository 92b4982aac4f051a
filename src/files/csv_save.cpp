#include <QFileInfo>
#include <QPointer>
#include <QSaveFile>
#include <QWidget>
#include <string>

#include "core/csv_export.h"
#include "files/busy_cursor.h"
#include "files/file_transfer.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "ui/dialogs.h"

namespace files {

namespace {

bool sameFile(const QString& a, const QString& b) {
    const QFileInfo first(a);
    const QFileInfo second(b);
    if (first.exists() && second.exists())
        return first.canonicalFilePath() == second.canonicalFilePath();
    return first.absoluteFilePath() == second.absoluteFilePath();
}

void reportFailure(QWidget* window, const QString& path, const QString& reason) {
    ui::dialogs().message(
        window, QStringLiteral("Save As CSV"),
        QStringLiteral("The list could not be saved to\n%1\n\n%2").arg(path, reason),
        ui::Dialogs::Icon::Critical, ui::Dialogs::Buttons::Ok);
}

}  // namespace

QString CsvFileFilter() {
    return QStringLiteral("CSV Files (*.csv);;All Files (*)");
}

bool WriteCsvFile(const RecordGrid& grid, const QString& path, QString* error) {
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

    const core::RowTexts& rows = grid.recordModel()->dataRows();
    std::string chunk = core::CsvHeaderLine();
    chunk.reserve(kWriteChunk + 1024);
    bool ok = true;
    for (std::size_t r = 0; r < rows.size() && ok; ++r) {
        core::AppendCsvRecord(chunk, rows.row(r));
        if (chunk.size() >= kWriteChunk) ok = WriteChunk(file, chunk);
    }
    if (ok && !chunk.empty()) ok = WriteChunk(file, chunk);
    if (ok && file.commit()) return true;

    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
}

void SaveGridAsCsv(Files& files, QWidget* window, RecordGrid* grid) {
    // The dialogs below wait in nested event loops; the window may be closed meanwhile.
    const QPointer<QWidget> owner(window);
    const QPointer<RecordGrid> list(grid);
    QString filter;
    const QString path = ui::dialogs().saveFileNameAndFilter(window, QStringLiteral("Save As CSV"),
                                                             CsvFileFilter(), &filter);
    if (path.isEmpty() || !list) return;

    if (files.isRecording() && sameFile(path, files.recordingFile())) {
        reportFailure(owner, path,
                      QStringLiteral("The recording is writing to this file. Choose another "
                                     "name, or stop the recording first."));
        return;
    }
    QString reason;
    if (!WriteCsvFile(*list, path, &reason)) reportFailure(owner, path, reason);
}

}  // namespace files
