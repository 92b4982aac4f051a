#include "files/list_commands.h"

#include <QByteArray>
#include <QWidget>

#include "files/data_file_loading.h"
#include "files/file_list.h"
#include "files/file_transfer.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "recording/recording_state.h"
#include "ui/dialogs.h"

void CmdPlist_Click(QWidget* /*panel*/) {
    if (RealTimeList* old = RealTimeList::find()) old->close();
    FileTransfer::LiveListOpen = true;
    (new RealTimeList)->show();
}

void CmdPopen_Click(QWidget* panel) {
    if (Recording::IsRecording) Recording::StopRecording();

    const QString path = ui::dialogs().openFileName(panel, QStringLiteral("Open File"),
                                                    FileTransfer::DataFileFilter());
    if (path.isEmpty()) return;

    QByteArray bytes;
    QString reason;
    if (!FileTransfer::ReadDataFileBytes(path, &bytes, &reason)) {
        ui::dialogs().message(
            panel, QStringLiteral("Open File"),
            QStringLiteral("The file\n%1\ncould not be opened.\n\n%2").arg(path, reason),
            ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
        return;
    }

    if (FileList* old = FileList::find()) old->close();
    auto* list = new FileList;
    list->show();
    const QString title = FileTransfer::FileTitle(path);
    list->setWindowTitle(title);
    list->grid()->setRows(1);
    // The caption counts the rows block by block and ends on the exact total.
    FileTransfer::FillGridFromBytes(*list->grid(), bytes, [list](long rows) {
        list->setWindowTitle(QString::number(rows) + QStringLiteral(" Records Completed"));
    });
    list->setWindowTitle(title);
}
