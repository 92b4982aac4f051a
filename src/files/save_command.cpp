#include <QPointer>
#include <QWidget>

#include "files/file_transfer.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "ui/dialogs.h"

namespace files {

namespace {

QString recordingWarningText(const Files& files) {
    return QStringLiteral("Recording Mode!  \t\nSaving Data to ") +
           FileTitle(files.recordingFile()) + QStringLiteral("\t\nClose it now?");
}

}  // namespace

void SaveGrid(Files& files, QWidget* window, RecordGrid* grid) {
    // The dialogs below wait in nested event loops; the window may be closed meanwhile.
    const QPointer<QWidget> owner(window);
    const QPointer<RecordGrid> list(grid);

    if (files.isRecording()) {
        const auto answer =
            ui::dialogs().message(window, QStringLiteral("Warning!"), recordingWarningText(files),
                                  ui::Dialogs::Icon::Information, ui::Dialogs::Buttons::OkCancel);
        if (answer != ui::Dialogs::Answer::Ok) return;
        files.stopRecording(core::RecordingStop::ListSave);
    }
    if (!list) return;
    if (!ChooseSaveFile(files, owner)) return;
    if (!list) return;

    QString reason;
    if (WriteGridFile(*list, files.DataFileName, &reason)) return;
    ui::dialogs().message(
        owner, QStringLiteral("Save"),
        QStringLiteral("The list could not be saved to\n%1\n\n%2").arg(files.DataFileName, reason),
        ui::Dialogs::Icon::Critical, ui::Dialogs::Buttons::Ok);
}

}  // namespace files
