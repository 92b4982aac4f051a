#include "app/subsystems.h"

#include <QPushButton>

#include "panel/panel.h"

namespace app {

void connectSubsystems(panel::Panel* panel) {
    (void)panel;
}

}  // namespace app
