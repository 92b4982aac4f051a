#include "memory/set_download.h"

#include <QPointer>
#include <QPushButton>
#include <QStringList>

#include "core/memory_texts.h"
#include "core/protocol.h"
#include "core/set_memory.h"
#include "memory/line_receive.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_state.h"
#include "memory/memory_window.h"
#include "panel/panel.h"

namespace memory {
namespace {

namespace protocol = core::protocol;

const QString kNoMultiRecords = QStringLiteral("No MultiRecords in Memory !");
// The set dump has ended when the line has been silent this long.
constexpr int kDumpSilenceMs = 2000;
constexpr double kShowSettleSeconds = 0.02;
constexpr double kDumpStartSeconds = 0.2;

struct SetDownload {
    Ending ending;
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

// The download on the line. The window it opens is touched only through a guard: the user may
// close it while the dump arrives.
SetDownload downloadSets(const QPointer<panel::Panel>& panel) {
    SetDownload result;
    const std::optional<unsigned> pointer = RequestMemoryPointer();
    if (!pointer) {
        result.ending = Ending::failed(NoAnswerMessage(QStringLiteral("its memory pointer")));
        return result;
    }
    Memory::MemoryState& memory = Memory::State;
    memory.MemoryPointer = *pointer;
    memory.UsedBytes = core::UsedBytes(*pointer);
    if (memory.UsedBytes == 0) {
        result.ending = Ending::none(kNoMultiRecords);
        return result;
    }

    auto* window = new MemoryWindow(panel, MemoryWindow::Mode::Multi);
    result.window = window;
    window->setSetDumpRunning(true);
    // Showing it asks for the logging interval; that request waits for the line until the dump
    // is done.
    window->show();
    Rs232::Delay(kShowSettleSeconds);
    if (result.window)
        result.window->setRemainingText(
            QString::fromStdString(core::MultiModeRemainingText(*pointer)));

    Rs232::timer1Off();
    Rs232::Flush();
    memory.MemoryDump.clear();
    Rs232::Output(OneByte(protocol::kSetDump));
    Rs232::Delay(kDumpStartSeconds);
    const std::size_t used = memory.UsedBytes;
    const QPointer<MemoryWindow> progressWindow = result.window;
    memory.MemoryDump =
        ReceiveAnswer(static_cast<qsizetype>(core::SetDumpSize(used)), kDumpSilenceMs,
                      [progressWindow, used](qsizetype received) {
                          if (progressWindow)
                              progressWindow->showDumpProgress(core::SetDumpProgressPercent(
                                  static_cast<std::size_t>(received), used));
                      })
            .bytes;
    DropSurplus();
    BackToDisplay();

    core::SetDumpSplit split = core::SplitSetDump(BytesOf(memory.MemoryDump), used);
    if (split.cutShort) {
        memory.RecordSets.clear();
        memory.SetCount = 0;
        result.ending = Ending::failed(
            QStringLiteral("The set memory dump was cut short: %1 of %2 bytes arrived, then "
                           "nothing for %3 seconds. No sets are listed.")
                .arg(memory.MemoryDump.size())
                .arg(used)
                .arg(kDumpSilenceMs / 1000));
        return result;
    }
    memory.RecordSets = std::move(split.sets);
    memory.SetCount = static_cast<int>(memory.RecordSets.size());
    if (result.window) result.window->listSets(setItems(memory.RecordSets));
    BackToDisplay();
    return result;
}

// Closes the window and gives the panel back its buttons and its display poll.
void failureEnding(panel::Panel* panel, MemoryWindow* window) {
    SetMemoryButtonsEnabled(panel, true);
    if (window) {
        window->setSetDumpRunning(false);
        window->close();
    }
    Rs232::RunExchange(panel, [] { BackToDisplay(); });
    Rs232::timer1On();
}

}  // namespace

void StartSetDownload(panel::Panel* panel) {
    if (!panel) return;
    MemoryWindow::closeExisting();
    SetMemoryButtonsEnabled(panel, false);
    Rs232::timer1Off();
    const QPointer<panel::Panel> owner(panel);
    RunThenFinish<SetDownload>(
        panel, [owner] { return downloadSets(owner); },
        [owner](const SetDownload& download) {
            MemoryWindow* window = download.window;
            if (download.ending.isDone()) {
                if (window) {
                    window->setSetDumpRunning(false);
                    owner->controls().MnuSystem->setEnabled(true);
                } else {
                    // Closed while the dump arrived: nothing holds the panel's buttons any more.
                    SetMemoryButtonsEnabled(owner, true);
                }
                Rs232::timer1On();
                return;
            }
            ShowEnding(window ? static_cast<QWidget*>(window) : owner.data(), download.ending,
                       ui::Dialogs::Icon::Critical);
            failureEnding(owner, download.window);
        });
}

}  // namespace memory
