#include "core/set_memory.h"

#include <algorithm>
#include <cstdio>

#include "core/protocol.h"
#include "core/text_rules.h"

namespace core {

namespace {

constexpr std::size_t kItemNumberWidth = 12;  // number and its padding, two columns a digit
constexpr std::size_t kItemGap = 20;
constexpr std::size_t kItemNumberField = 6;  // characters the set number is read back from

std::string headerField(std::span<const std::uint8_t> set, std::size_t index) {
    return index < set.size() ? Hex2(set[index]) : "--";
}

}  // namespace

unsigned MemoryPointer(std::uint8_t high, std::uint8_t low) {
    return 256u * high + low;
}

std::size_t UsedBytes(unsigned pointer) {
    return pointer > protocol::kSetMemoryStart ? pointer - protocol::kSetMemoryStart : 0;
}

std::size_t SetDumpSize(std::size_t usedBytes) {
    return usedBytes + protocol::kSetDumpTrailer;
}

int SetDumpProgressPercent(std::size_t received, std::size_t usedBytes) {
    if (usedBytes == 0 || received >= usedBytes) return 100;
    return static_cast<int>(received * 100 / usedBytes);
}

SetDumpSplit SplitSetDump(std::span<const std::uint8_t> dump, std::size_t usedBytes) {
    SetDumpSplit split;
    split.cutShort = dump.size() < usedBytes;
    const auto used = dump.first(std::min(dump.size(), usedBytes));
    const auto& marker = protocol::kSetMarker;
    auto at = std::search(used.begin(), used.end(), marker.begin(), marker.end());
    while (at != used.end()) {
        const auto begin = at + static_cast<std::ptrdiff_t>(marker.size());
        at = std::search(begin, used.end(), marker.begin(), marker.end());
        split.sets.emplace_back(begin, at);
    }
    return split;
}

std::string SetRecordCountText(std::size_t setBytes) {
    if (setBytes < protocol::kSetHeaderSize) return "0";
    const std::size_t recordBytes = setBytes - protocol::kSetHeaderSize;
    if (recordBytes % protocol::kLoggedRecordSize == 0)
        return DecimalText(static_cast<long long>(recordBytes / protocol::kLoggedRecordSize));
    // Fifteen significant digits, as a double is usually shown: 8 / 6 gives 1.33333333333333.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g",
                  static_cast<double>(recordBytes) / protocol::kLoggedRecordSize);
    return buffer;
}

std::string SetItemText(long long number, std::span<const std::uint8_t> set) {
    const std::string digits = DecimalText(number);
    const std::size_t pad =
        std::max<std::size_t>(1, kItemNumberWidth - std::min(kItemNumberWidth, 2 * digits.size()));
    return digits + std::string(pad, ' ') + headerField(set, 0) + "/" + headerField(set, 1) + "/" +
           headerField(set, 2) + "-----" + headerField(set, 3) + ":" + headerField(set, 4) + ":" +
           headerField(set, 5) + std::string(kItemGap, ' ') + SetRecordCountText(set.size()) +
           " Records";
}

long long SetNumberOfItemText(std::string_view itemText) {
    return static_cast<long long>(NumericValue(itemText.substr(0, kItemNumberField)));
}

}  // namespace core
