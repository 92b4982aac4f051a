#pragma once

namespace panel {
class Panel;
}

namespace memory {

// Choosing set `number` (from 1) of the last set dump: lists every record of it in a fresh
// files::DataList (Plot menu available), each with its time rebuilt from the set's start and
// interval, the title panel at "n Records Completed". No meter traffic. Enables the panel's
// "Single Rec", "Multi Rec" and "Time Set" and the display poll again. A set without a complete
// record opens no list.
void ListRecordSet(panel::Panel* panel, int number);

}  // namespace memory
