#include "memory/single_download.h"

#include <QLabel>
#include <QPointer>

#include "core/protocol.h"
#include "core/single_records.h"
#include "core/stored_record.h"
#include "files/data_list.h"
#include "files/files_state.h"
#include "files/record_grid.h"
#include "memory/line_receive.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_window.h"
#include "panel/panel.h"

namespace memory {
namespace {

namespace protocol = core::protocol;

const QString kNoSingleRecords = QStringLiteral("No Single Records in Memory !");

void showTitle(const QPointer<DataList>& list, qsizetype records, const char* what) {
    if (list) list->lblTitle()->setText(QString::number(records) + QLatin1String(what));
}

// The download on the line. Only the DataList it opens is touched, through a guard: the user may
// close it (or the Memory window) while the dump arrives.
Ending downloadSingleRecords() {
    Rs232::timer1Off();
    if (!Rs232::SendCommand(protocol::request::kSingleCount) || !Rs232::State.LastReplyByte)
        return Ending::failed(NoAnswerMessage(QStringLiteral("its number of single records")));
    const std::size_t count = *Rs232::State.LastReplyByte;
    if (count == 0) return Ending::none(kNoSingleRecords);

    // The old list goes first (its unload clears the flag), then the flag makes the new list's
    // Plot menu unavailable.
    DataList::closeExisting();
    FileTransfer::State.SingleRecordList = true;
    const QPointer<DataList> list = DataList::showNew();

    Rs232::Flush();
    Rs232::Output(OneByte(protocol::kSingleDump));
    const Answer answer =
        ReceiveAnswer(static_cast<qsizetype>(core::SingleDumpSize(count)), kAnswerSilenceMs,
                      [list](qsizetype received) {
                          showTitle(list, core::CompleteSingleRecords(received), " Records Read");
                      });
    DropSurplus();
    BackToDisplay();

    // Records decode into a reading of the download's own; the live reading stays the meter's.
    const std::vector<core::RecordRow> rows = core::DecodeSingleDump(BytesOf(answer.bytes), count);
    if (list) {
        list->grid()->addRows(core::ToRowTexts(rows));
        showTitle(list, static_cast<qsizetype>(rows.size()), " Records Completed");
    }
    if (answer.complete) return Ending::done();
    return Ending::failed(QStringLiteral("The meter stopped sending after %1 of %2 single records "
                                         "(no byte for %3 seconds). The %1 complete records are "
                                         "listed.")
                              .arg(rows.size())
                              .arg(count)
                              .arg(kAnswerSilenceMs / 1000));
}

}  // namespace

void StartSingleDownload(panel::Panel* panel, MemoryWindow* window) {
    if (!panel) return;
    DataList::closeExisting();
    SetMemoryButtonsEnabled(panel, false);
    Rs232::timer1Off();
    const QPointer<MemoryWindow> memoryWindow(window);
    if (window) window->setSingleDownloadRunning(true);
    const QPointer<panel::Panel> owner(panel);
    RunThenFinish<Ending>(panel, &downloadSingleRecords, [owner, memoryWindow](const Ending& e) {
        SetMemoryButtonsEnabled(owner, true);
        if (memoryWindow) memoryWindow->setSingleDownloadRunning(false);
        Rs232::timer1On();
        ShowEnding(memoryWindow ? static_cast<QWidget*>(memoryWindow) : owner, e);
    });
}

}  // namespace memory
