#pragma once

namespace memory {

class Memory;

// Choosing set `number` (from 1) of the last set dump of `memory`: lists every record of it in a
// fresh files::DataList (Plot menu available), each with its time rebuilt from the set's start
// and interval, the title panel at "n Records Completed". No meter traffic. Ends the download:
// the panel's "Single Rec", "Multi Rec" and "Time Set" and the display poll come back. A set
// without a complete record opens no list.
void ListRecordSet(Memory& memory, int number);

}  // namespace memory
