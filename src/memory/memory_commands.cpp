#include "memory/memory_commands.h"

#include <QPointer>
#include <QWidget>

#include "core/memory_texts.h"
#include "core/set_memory.h"
#include "memory/memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_window.h"
#include "memory/set_download.h"

namespace memory {

MemoryCommands::MemoryCommands(Memory& memory, QWidget* panel)
    : QObject(panel), memory_(memory), panel_(panel) {}

void MemoryCommands::CmdPsingle_Click() {
    memory_.closeWindow();
    const QPointer<QWidget> panel(panel_);
    const QPointer<Memory> memory(&memory_);
    ReadMemoryPointer(
        memory_.queue(), panel_, [panel, memory](const Ending& ending, unsigned pointer) {
            if (!panel || !memory) return;
            if (!ending.isDone()) {
                ShowEnding(panel, ending);
                return;
            }
            memory->MemoryPointer = pointer;
            memory->UsedBytes = core::UsedBytes(pointer);
            // Another opening may have come first; each opening starts from a fresh window.
            MemoryWindow* window = memory->showAfresh(panel, MemoryWindow::Mode::Single);
            window->setRemainingText(
                QString::fromStdString(core::SingleModeRemainingText(pointer)));
        });
}

void MemoryCommands::CmdPmul_Click() {
    StartSetDownload(memory_, panel_);
}

}  // namespace memory
