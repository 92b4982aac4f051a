#include "files/list_commands.h"

#include <QByteArray>
#include <QPointer>
#include <QWidget>

#include "files/data_file_load.h"
#include "files/data_file_loading.h"
#include "files/file_list.h"
#include "files/file_transfer.h"
#include "files/files.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "ui/dialogs.h"

namespace files {

void OpenLiveList(Files& files) {
    files.showAfreshRealTimeList();
}

void OpenDataFile(Files& files, QWidget* parent) {
    if (files.isRecording()) files.stopRecording(core::RecordingStop::OpenFile);

    const QPointer<QWidget> owner(parent);
    const QString path =
        ui::dialogs().openFileName(parent, QStringLiteral("Open File"), DataFileFilter());
    // The panel may have been closed (the program ends) while the dialog stood.
    if (path.isEmpty() || (parent && !owner)) return;

    QByteArray bytes;
    QString reason;
    const DataFileRead read = ReadDataFileBytes(path, &bytes, &reason);
    if (read == DataFileRead::Failed) {
        ui::dialogs().message(
            parent, QStringLiteral("Open File"),
            QStringLiteral("The file\n%1\ncould not be opened.\n\n%2").arg(path, reason),
            ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
        return;
    }

    FileList* list = files.showAfreshFileList();
    const QString title = FileTitle(path);
    list->setWindowTitle(title);
    list->grid()->setRows(1);
    // The rows are read on a worker thread while the window stays responsive; the caption counts
    // them block by block, ends on the exact total and then shows the file's name again.
    auto* load = new DataFileLoad(std::move(bytes), list);
    auto caption = [list](long rows) {
        list->setWindowTitle(QString::number(rows) + QStringLiteral(" Records Completed"));
    };
    QObject::connect(load, &DataFileLoad::progress, list, caption);
    QObject::connect(load, &DataFileLoad::finished, list, [=] {
        ParsedRows parsed = load->takeRows();
        load->deleteLater();
        const GridFill fill = parsed.fill;
        // All rows in one insertion: one update of the view.
        list->grid()->addRows(std::move(parsed.rows));
        if (fill.rows % kRowsPerBlock != 0) caption(fill.rows);
        list->setWindowTitle(title);
        list->setLoading(false);

        QString note;
        if (read == DataFileRead::Partly)
            note = QStringLiteral(
                       "The file could be read only in part; the %1 records read before "
                       "the error are listed.\n\n%2")
                       .arg(fill.rows)
                       .arg(reason);
        else if (fill.capped)
            note = QStringLiteral(
                       "The file holds more records than a list can take; the first %1 "
                       "are listed.")
                       .arg(fill.rows);
        if (!note.isEmpty())
            ui::dialogs().message(list, QStringLiteral("Open File"),
                                  QStringLiteral("%1\n\n%2").arg(path, note),
                                  ui::Dialogs::Icon::Warning, ui::Dialogs::Buttons::Ok);
    });
    list->setLoading(true);
    load->start();
}

}  // namespace files
