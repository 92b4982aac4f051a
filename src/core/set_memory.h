#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The meter's set memory: its fill pointer, and the set-memory dump ("L") cut into the logged
// sets. The dump is the used part of the memory (UsedBytes bytes) followed by a trailer of
// protocol::kSetDumpTrailer bytes; in the used part protocol::kSetMarker stands in front of
// every set. A set's bytes (without its marker) are the header yy mm dd hh mm ss (BCD) and the
// interval in seconds (plain byte), then the logged records of protocol::kLoggedRecordSize
// bytes each, oldest first.
namespace core {

// The fill pointer from the replies to the pointer requests: 256 * high + low.
unsigned MemoryPointer(std::uint8_t high, std::uint8_t low);

// Bytes of set memory in use: pointer - protocol::kSetMemoryStart; 0 means no sets. A pointer
// below the start (which the meter never reports) also gives 0.
std::size_t UsedBytes(unsigned pointer);

// Bytes the set-memory dump sends for `usedBytes` of used memory: the used part and the
// trailer. The download reads until this many arrived or the line fell silent.
std::size_t SetDumpSize(std::size_t usedBytes);

// Progress of a set dump in percent, 0 to 100: received / usedBytes, capped (100 when nothing
// is used).
int SetDumpProgressPercent(std::size_t received, std::size_t usedBytes);

// The sets of a dump.
struct SetDumpSplit {
    // Every set found, in dump order, without its marker; sets are numbered from 1.
    std::vector<std::vector<std::uint8_t>> sets;
    // The dump held fewer than UsedBytes bytes (the meter stopped sending): `sets` holds what
    // arrived, the last set possibly incomplete.
    bool cutShort = false;
};

// Cuts the first `usedBytes` bytes of `dump` into sets at every marker. Every set is kept,
// however many there are; bytes before the first marker and bytes beyond `usedBytes` (the
// trailer and anything more the meter sent) are ignored.
SetDumpSplit SplitSetDump(std::span<const std::uint8_t> dump, std::size_t usedBytes);

// Record count text of a set of `setBytes` bytes: (setBytes - header) / record size as a
// decimal number, with its decimals when a partial record makes it a fraction ("2", "1.5");
// "0" for a set without a complete header.
std::string SetRecordCountText(std::size_t setBytes);

// The set list entry of set `number` (from 1): the number, 12 - 2 * its digits spaces (at
// least one), the start "yy/mm/dd-----hh:mm:ss", 20 spaces, the record count and " Records":
// "1" + 10 spaces + "10/05/31-----09:07:00" + 20 spaces + "12 Records". Header bytes missing
// from a cut set show as "--".
std::string SetItemText(long long number, std::span<const std::uint8_t> set);

// The set number of an entry text: the numeric value of its first 6 characters. That reads
// back every number up to 999999, far more sets than the memory can hold (a few thousand);
// a caller that knows the entry's index may use index + 1 instead.
long long SetNumberOfItemText(std::string_view itemText);

}  // namespace core
