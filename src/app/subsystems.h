#pragma once

namespace panel {
class Panel;
}

namespace app {

// Makes the subsystems of one panel's lifetime (they live as long as the panel) and connects the
// panel's requests and the modules' events to them. The one place where subsystems meet.
void connectSubsystems(panel::Panel* panel);

}  // namespace app
