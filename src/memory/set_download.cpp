#include "memory/set_download.h"

#include <QPointer>
#include <QPushButton>
#include <QStringList>
#include <memory>

#include "core/memory_texts.h"
#include "core/protocol.h"
#include "core/set_memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_state.h"
#include "memory/memory_window.h"
#include "panel/panel.h"

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
    QPointer<panel::Panel> panel;
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
    memory::MemoryState& memory = memory::State;
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
    memory::MemoryState& memory = memory::State;
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
        memory::State.MemoryDump = answer.bytes;
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
    memory::MemoryState& memory = memory::State;
    memory.MemoryPointer = *pointer;
    memory.UsedBytes = core::UsedBytes(*pointer);
    if (memory.UsedBytes == 0) return Next::end(Ending::nothing(kNoMultiRecords));

    auto* window = new MemoryWindow(job->panel, MemoryWindow::Mode::Multi);
    job->window = window;
    window->setSetDumpRunning(true);
    // Showing it asks for the logging interval; that request waits for the line until the dump
    // is done.
    window->show();
    serial::Transaction settle = serial::Transaction::pause(kShowSettleMs);
    settle.then = [job, pointer = *pointer](const serial::Answer&) {
        return dumpSets(job, pointer);
    };
    return Next::then(std::move(settle));
}

// Closes the window and gives the panel back its buttons.
void failureEnding(panel::Panel* panel, MemoryWindow* window) {
    SetMemoryButtonsEnabled(panel, true);
    if (window) {
        window->setSetDumpRunning(false);
        window->close();
    }
    serial::Submit(panel, serial::BackToDisplay());
}

}  // namespace

void StartSetDownload(panel::Panel* panel) {
    if (!panel) return;
    MemoryWindow::closeExisting();
    SetMemoryButtonsEnabled(panel, false);
    auto job = std::make_shared<SetJob>();
    job->panel = panel;
    serial::Transaction pointer =
        MemoryPointerRequest([job](std::optional<unsigned> p) { return openWindow(job, p); });
    serial::Submit(panel, std::move(pointer), [job](const Ending& ending) {
        const QPointer<panel::Panel> owner = job->panel;
        if (ending.isDropped() || !owner) return;
        MemoryWindow* window = job->window;
        if (ending.isDone()) {
            if (window) {
                window->setSetDumpRunning(false);
                owner->controls().MnuSystem->setEnabled(true);
            } else {
                // Closed while the dump arrived: nothing holds the panel's buttons any more.
                SetMemoryButtonsEnabled(owner, true);
            }
            return;
        }
        ShowEnding(window ? static_cast<QWidget*>(window) : owner.data(), ending,
                   ui::Dialogs::Icon::Critical);
        // The box may have stood while the link was lost and the window closed.
        if (owner) failureEnding(owner, job->window);
    });
}

}  // namespace memory
