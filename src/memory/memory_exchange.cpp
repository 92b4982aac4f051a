#include "memory/memory_exchange.h"

#include <QPushButton>

#include "panel/panel.h"

namespace memory {

void ShowEnding(QWidget* parent, const Ending& ending, ui::Dialogs::Icon noneIcon) {
    if (ending.isDone()) return;
    const ui::Dialogs::Icon icon =
        ending.kind == Ending::Kind::None ? noneIcon : ui::Dialogs::Icon::Warning;
    ui::dialogs().message(parent, kMessageTitle, ending.message, icon, ui::Dialogs::Buttons::Ok);
}

void SetOpeningButtonsEnabled(panel::Panel* panel, bool enabled) {
    if (!panel) return;
    panel->controls().CmdPsingle->setEnabled(enabled);
    panel->controls().CmdPmul->setEnabled(enabled);
}

void SetMemoryButtonsEnabled(panel::Panel* panel, bool enabled) {
    if (!panel) return;
    SetOpeningButtonsEnabled(panel, enabled);
    panel->controls().MnuSystem->setEnabled(enabled);
    panel->setDownloadRunning(!enabled);
}

}  // namespace memory
