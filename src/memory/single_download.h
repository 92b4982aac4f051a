#pragma once

class QWidget;

namespace memory {

class Memory;
class MemoryWindow;

// "Single Record": reads every single record out of the meter into a fresh DataList, whose Plot
// menu is then unavailable. While it runs `memory` tells the panel so (its "Single Rec", "Multi
// Rec" and "Time Set" are off), the window's "Single Record" is disabled and the display poll is
// off; `panel` owns the exchange. Asks for the
// record count, then the dump, with "n Records Read" on the list's title panel while it arrives
// and "n Records Completed" once listed. Ends with "No Single Records in Memory !" when there
// are none (no list is opened), or with a message when the meter does not answer or stops
// sending for 5 s part-way; the complete records received are listed then.
void StartSingleDownload(Memory& memory, QWidget* panel, MemoryWindow* window);

}  // namespace memory
