#include "memory/single_download.h"

#include <QLabel>
#include <QPointer>
#include <memory>

#include "core/protocol.h"
#include "core/single_records.h"
#include "core/stored_record.h"
#include "files/data_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "link/transaction_queue.h"
#include "memory/memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_window.h"

namespace memory {
namespace {

namespace protocol = core::protocol;
using serial::Next;

const QString kNoSingleRecords = QStringLiteral("No Single Records in Memory !");

// What the steps of one download share. Only the DataList it opens is touched, through a
// guard: the user may close it (or the Memory window) while the dump arrives.
struct SingleJob {
    // The session's lists; the job ends (dropped) before the session does.
    files::Files* files = nullptr;
    std::size_t count = 0;
    QPointer<files::DataList> list;
    QByteArray bytes;
    bool complete = false;
};

void showTitle(const QPointer<files::DataList>& list, qsizetype records, const char* what) {
    if (list) list->lblTitle()->setText(QString::number(records) + QLatin1String(what));
}

// The records that arrived go to the list; the ending says whether all came.
Next listRecords(const std::shared_ptr<SingleJob>& job) {
    // Records decode into a reading of the download's own; the live reading stays the meter's.
    const std::vector<core::RecordRow> rows =
        core::DecodeSingleDump(BytesOf(job->bytes), job->count);
    if (job->list) {
        job->list->grid()->addRows(core::ToRowTexts(rows));
        showTitle(job->list, static_cast<qsizetype>(rows.size()), " Records Completed");
    }
    if (job->complete) return Next::end();
    return Next::end(Ending::failed(
        QStringLiteral("The meter stopped sending after %1 of %2 single records (no byte for %3 "
                       "seconds). The %1 complete records are listed.")
            .arg(rows.size())
            .arg(job->count)
            .arg(kAnswerSilenceMs / 1000)));
}

Next dumpRecords(const std::shared_ptr<SingleJob>& job) {
    // The old list goes first (its unload clears the flag), then the flag makes the new list's
    // Plot menu unavailable.
    job->files->closeDataList();
    job->files->SingleRecordList = true;
    job->list = job->files->showAfreshDataList();

    serial::Transaction dump =
        Dump(protocol::kSingleDump, static_cast<qsizetype>(core::SingleDumpSize(job->count)),
             kAnswerSilenceMs);
    dump.progress = [job](qsizetype received) {
        showTitle(job->list, core::CompleteSingleRecords(received), " Records Read");
    };
    dump.then = [job](const serial::Answer& answer) {
        job->bytes = answer.bytes;
        job->complete = answer.complete;
        serial::Transaction drop = serial::DropSurplus();
        drop.then = [job](const serial::Answer&) {
            serial::Transaction back = serial::BackToDisplay();
            back.then = [job](const serial::Answer&) { return listRecords(job); };
            return Next::then(std::move(back));
        };
        return Next::then(std::move(drop));
    };
    return Next::then(std::move(dump));
}

}  // namespace

void StartSingleDownload(Memory& memory, QWidget* panel, MemoryWindow* window) {
    if (!panel) return;
    memory.files().closeDataList();
    emit memory.downloadRunningChanged(true);
    const QPointer<MemoryWindow> memoryWindow(window);
    if (window) window->setSingleDownloadRunning(true);
    const QPointer<QWidget> owner(panel);
    const QPointer<Memory> guard(&memory);
    auto job = std::make_shared<SingleJob>();
    job->files = &memory.files();
    serial::Transaction count =
        serial::Request(protocol::request::kSingleCount, [job](std::optional<std::uint8_t> n) {
            if (!n)
                return Next::end(Ending::failed(
                    NoAnswerMessage(QStringLiteral("its number of single records"))));
            if (*n == 0) return Next::end(Ending::nothing(kNoSingleRecords));
            job->count = *n;
            return dumpRecords(job);
        });
    memory.queue().submit(panel, std::move(count), [owner, guard, memoryWindow](const Ending& e) {
        if (e.isDropped()) return;
        if (owner && guard) emit guard->downloadRunningChanged(false);
        if (memoryWindow) memoryWindow->setSingleDownloadRunning(false);
        ShowEnding(memoryWindow ? static_cast<QWidget*>(memoryWindow) : owner.data(), e);
    });
}

}  // namespace memory
