#pragma once

namespace panel {
class Panel;
}

namespace app {

class Session;

// Makes the subsystems of one panel's lifetime (they live as long as the panel) and connects the
// panel's requests and the modules' events to them and to the session's parts. The one place
// where subsystems meet.
void connectSubsystems(Session& session, panel::Panel* panel);

}  // namespace app
