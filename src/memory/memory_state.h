#pragma once

#include <QByteArray>
#include <cstddef>
#include <cstdint>
#include <vector>

// The meter's memory as the last downloads read it.
namespace files {
class Files;
}

namespace memory {

struct MemoryState {
    // The session's record lists, where the downloads are listed; set by the program's wiring.
    files::Files* Lists = nullptr;
    // Fill pointer of the set memory from the latest pointer requests (0x0700 when empty).
    unsigned MemoryPointer = 0;
    // Bytes of set memory in use: MemoryPointer - 0x0700.
    std::size_t UsedBytes = 0;
    // The bytes of the latest set dump, in arrival order, cut at its announced length.
    QByteArray MemoryDump;
    // The sets of that dump without their markers; set k (from 1) is RecordSets[k - 1].
    std::vector<std::vector<std::uint8_t>> RecordSets;
    // Number of sets listed from the latest dump.
    int SetCount = 0;
};

extern MemoryState State;
void ResetState();

}  // namespace memory
