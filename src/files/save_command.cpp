#include <QPointer>
#include <QWidget>

#include "files/file_transfer.h"
#include "files/list_events.h"
#include "files/record_grid.h"
#include "ui/dialogs.h"

namespace files {

namespace {

QString recordingWarningText() {
    return QStringLiteral("Recording Mode!  \t\nSaving Data to ") + FileTitle(State.DataFileName) +
           QStringLiteral("\t\nClose it now?");
}

}  // namespace

void SaveGrid(QWidget* window, RecordGrid* grid) {
    // The dialogs below wait in nested event loops; the window may be closed meanwhile.
    const QPointer<QWidget> owner(window);
    const QPointer<RecordGrid> list(grid);

    if (State.IsRecording) {
        const auto answer =
            ui::dialogs().message(window, QStringLiteral("Warning!"), recordingWarningText(),
                                  ui::Dialogs::Icon::Information, ui::Dialogs::Buttons::OkCancel);
        if (answer != ui::Dialogs::Answer::Ok) return;
        emit events().recordingStopRequested(core::RecordingStop::ListSave);
    }
    if (!list) return;
    if (!ChooseSaveFile(owner)) return;
    if (!list) return;

    QString reason;
    if (WriteGridFile(*list, &reason)) return;
    ui::dialogs().message(
        owner, QStringLiteral("Save"),
        QStringLiteral("The list could not be saved to\n%1\n\n%2").arg(State.DataFileName, reason),
        ui::Dialogs::Icon::Critical, ui::Dialogs::Buttons::Ok);
}

}  // namespace files
