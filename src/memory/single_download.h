#pragma once

namespace panel {
class Panel;
}

namespace memory {

class MemoryWindow;

// "Single Record": reads every single record out of the meter into a fresh DataList, whose Plot
// menu is then unavailable. The panel's "Single Rec", "Multi Rec" and "Time Set" and the
// window's "Single Record" are disabled and the display poll is off until it ends. Asks for the
// record count, then the dump, with "n Records Read" on the list's title panel while it arrives
// and "n Records Completed" once listed. Ends with "No Single Records in Memory !" when there
// are none (no list is opened), or with a message when the meter does not answer or stops
// sending for 5 s part-way; the complete records received are listed then.
void StartSingleDownload(panel::Panel* panel, MemoryWindow* window);

}  // namespace memory
