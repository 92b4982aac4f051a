#include "memory/set_download.h"

#include <QPointer>
#include <QStringList>
#include <memory>

#include "core/memory_texts.h"
#include "core/protocol.h"
#include "core/set_memory.h"
#include "link/transaction_queue.h"
#include "memory/memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_window.h"

namespace memory {
namespace {

namespace protocol = core::protocol;
using serial::Next;

const QString kNoMultiRecords = QStringLiteral("No MultiRecords in Memory !");
// The set dump has ended when the line has been silent this long.
constexpr int kDumpSilenceMs = 2000;
constexpr int kShowSettleMs = 20;
constexpr int kDumpStartMs = 200;

// The window the download opens; touched only through a guard, since the user may close it
// while the dump arrives.
struct SetJob {
    QPointer<Memory> memory;
    QPointer<QWidget> panel;
    QPointer<MemoryWindow> window;
};

QStringList setItems(const std::vector<std::vector<std::uint8_t>>& sets) {
    QStringList items;
    items.reserve(static_cast<qsizetype>(sets.size()));
    for (std::size_t k = 0; k < sets.size(); ++k)
        items.append(
            QString::fromStdString(core::SetItemText(static_cast<long long>(k + 1), sets[k])));
    return items;
}

// The dump is in: cut it into the sets and list them.
Next listSets(const std::shared_ptr<SetJob>& job) {
    if (!job->memory) return Next::end(Ending::dropped());
    Memory& memory = *job->memory;
    const std::size_t used = memory.UsedBytes;
    core::SetDumpSplit split = core::SplitSetDump(BytesOf(memory.MemoryDump), used);
    if (split.cutShort) {
        memory.RecordSets.clear();
        memory.SetCount = 0;
        return Next::end(Ending::failed(
            QStringLiteral("The set memory dump was cut short: %1 of %2 bytes arrived, then "
                           "nothing for %3 seconds. No sets are listed.")
                .arg(memory.MemoryDump.size())
                .arg(used)
                .arg(kDumpSilenceMs / 1000)));
    }
    memory.RecordSets = std::move(split.sets);
    memory.SetCount = static_cast<int>(memory.RecordSets.size());
    if (job->window) job->window->listSets(setItems(memory.RecordSets));
    return Next::then(serial::BackToDisplay());
}

Next dumpSets(const std::shared_ptr<SetJob>& job, unsigned pointer) {
    if (job->window)
        job->window->setRemainingText(
            QString::fromStdString(core::MultiModeRemainingText(pointer)));
    if (!job->memory) return Next::end(Ending::dropped());
    Memory& memory = *job->memory;
    memory.MemoryDump.clear();
    const std::size_t used = memory.UsedBytes;
    serial::Transaction dump =
        Dump(protocol::kSetDump, static_cast<qsizetype>(core::SetDumpSize(used)), kDumpSilenceMs);
    dump.pauseAfterWriteMs = kDumpStartMs;
    dump.progress = [job, used](qsizetype received) {
        if (job->window)
            job->window->showDumpProgress(
                core::SetDumpProgressPercent(static_cast<std::size_t>(received), used));
    };
    dump.then = [job](const serial::Answer& answer) {
        if (job->memory) job->memory->MemoryDump = answer.bytes;
        serial::Transaction drop = serial::DropSurplus();
        drop.then = [job](const serial::Answer&) {
            serial::Transaction back = serial::BackToDisplay();
            back.then = [job](const serial::Answer&) { return listSets(job); };
            return Next::then(std::move(back));
        };
        return Next::then(std::move(drop));
    };
    return Next::then(std::move(dump));
}

Next openWindow(const std::shared_ptr<SetJob>& job, std::optional<unsigned> pointer) {
    if (!pointer)
        return Next::end(Ending::failed(NoAnswerMessage(QStringLiteral("its memory pointer"))));
    if (!job->memory) return Next::end(Ending::dropped());
    Memory& memory = *job->memory;
    memory.MemoryPointer = *pointer;
    memory.UsedBytes = core::UsedBytes(*pointer);
    if (memory.UsedBytes == 0) return Next::end(Ending::nothing(kNoMultiRecords));

    // Showing it asks for the logging interval; that request waits for the line until the dump
    // is done.
    MemoryWindow* window = memory.showAfresh(job->panel, MemoryWindow::Mode::Multi);
    job->window = window;
    window->setSetDumpRunning(true);
    serial::Transaction settle = serial::Transaction::pause(kShowSettleMs);
    settle.then = [job, pointer = *pointer](const serial::Answer&) {
        return dumpSets(job, pointer);
    };
    return Next::then(std::move(settle));
}

// Ends the download for the panel and closes the window.
void failureEnding(Memory& memory, QWidget* panel, MemoryWindow* window) {
    emit memory.downloadRunningChanged(false);
    if (window) {
        window->setSetDumpRunning(false);
        window->close();
    }
    memory.queue().submit(panel, serial::BackToDisplay());
}

}  // namespace

void StartSetDownload(Memory& memory, QWidget* panel) {
    if (!panel) return;
    memory.closeWindow();
    emit memory.downloadRunningChanged(true);
    auto job = std::make_shared<SetJob>();
    job->memory = &memory;
    job->panel = panel;
    serial::Transaction pointer =
        MemoryPointerRequest([job](std::optional<unsigned> p) { return openWindow(job, p); });
    memory.queue().submit(panel, std::move(pointer), [job](const Ending& ending) {
        const QPointer<QWidget> owner = job->panel;
        if (ending.isDropped() || !owner || !job->memory) return;
        MemoryWindow* window = job->window;
        if (ending.isDone()) {
            if (window) {
                window->setSetDumpRunning(false);
                emit job->memory->setsListed();
            } else {
                // Closed while the dump arrived: nothing holds the panel's buttons any more.
                emit job->memory->downloadRunningChanged(false);
            }
            return;
        }
        ShowEnding(window ? static_cast<QWidget*>(window) : owner.data(), ending,
                   ui::Dialogs::Icon::Critical);
        // The box may have stood while the link was lost and the window closed.
        if (owner && job->memory) failureEnding(*job->memory, owner, job->window);
    });
}

}  // namespace memory
