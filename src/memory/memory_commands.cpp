#include "memory/memory_commands.h"

#include <QPointer>

#include "core/memory_texts.h"
#include "core/set_memory.h"
#include "memory/memory_exchange.h"
#include "memory/memory_requests.h"
#include "memory/memory_state.h"
#include "memory/memory_window.h"
#include "memory/set_download.h"
#include "panel/panel.h"

namespace memory {

MemoryCommands::MemoryCommands(panel::Panel* panel) : QObject(panel), panel_(panel) {}

void MemoryCommands::CmdPsingle_Click() {
    MemoryWindow::closeExisting();
    const QPointer<panel::Panel> panel(panel_);
    ReadMemoryPointer(panel_, [panel](const Ending& ending, unsigned pointer) {
        if (!panel) return;
        if (!ending.isDone()) {
            ShowEnding(panel, ending);
            return;
        }
        memory::State.MemoryPointer = pointer;
        memory::State.UsedBytes = core::UsedBytes(pointer);
        // Another opening may have come first; each opening starts from a fresh window.
        MemoryWindow::closeExisting();
        auto* window = new MemoryWindow(panel, MemoryWindow::Mode::Single);
        window->setRemainingText(QString::fromStdString(core::SingleModeRemainingText(pointer)));
        window->show();
    });
}

void MemoryCommands::CmdPmul_Click() {
    StartSetDownload(panel_);
}

}  // namespace memory
