#include <QFileInfo>
#include <QPointer>
#include <QWidget>
#include <string>

#include "core/csv_export.h"
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
    return ReplaceFileWithRows(path, core::CsvHeaderLine(), grid.recordModel()->dataRows(),
                               core::AppendCsvRecord, error);
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
