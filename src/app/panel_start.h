#pragma once

namespace panel {
class Panel;
}

namespace app {

// Starts the panel on port `number` as the Port window's choice does: every module's state back
// to its start values, the panel made and wired to the subsystems, its start-up run before it is
// shown, then shown. Returns the panel, or null when the start-up failed (the user has seen the
// message and the program is ending).
panel::Panel* StartPanel(int number);

}  // namespace app
