#pragma once

class QWidget;

namespace memory {

class Memory;

// "Multi Rec": asks the meter for its set-memory pointer, opens the Memory window wide, reads the
// whole set memory ("L") with a progress bar, cuts it into the logged sets (kept in `memory`) and
// lists one entry per set in the window's Combo1. While it runs `memory` tells the panel so (its
// "Single Rec", "Multi Rec" and "Time Set" are off), the window's "Sampling" and "Time of Meter"
// are disabled and the display poll is off; afterwards "Time Set" and the window's buttons are
// enabled again, and choosing a set lists it (set_listing.h). `panel` owns the exchange.
//
// With no sets in use it shows "No MultiRecords in Memory !" with the stop icon; when the meter
// does not answer, or the dump stops short of the used memory (2 s without a byte), it says so.
// Each of these takes the failure ending: the download over for the panel, the window closed,
// " " written, the display poll on. Bytes beyond the announced dump are ignored.
void StartSetDownload(Memory& memory, QWidget* panel);

}  // namespace memory
