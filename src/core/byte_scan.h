#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Looking at text eight bytes at a time: the data files' parsing scans megabytes for a few
// delimiter bytes, and a word at a time is several times quicker than byte by byte.
namespace core::byte_scan {

inline constexpr std::size_t kWord = sizeof(std::uint64_t);

inline std::uint64_t loadWord(const char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

// The high bit of every byte of `word` that equals `c`, and no other bit (exact for every byte,
// unlike the shorter form whose borrow can mark the byte after a match).
inline std::uint64_t matchingBytes(std::uint64_t word, unsigned char c) {
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (0x0101010101010101ULL * c);
    return ~(((x & kLow7) + kLow7) | x | kLow7);
}

// How many bytes `matchingBytes` marked (without a popcount instruction, which not every
// target has).
inline std::size_t markedCount(std::uint64_t marks) {
    return static_cast<std::size_t>(((marks >> 7) * 0x0101010101010101ULL) >> 56);
}

// How many bytes of `bytes` equal `c`.
inline std::size_t countBytes(const char* bytes, std::size_t size, unsigned char c) {
    std::size_t count = 0;
    std::size_t i = 0;
    for (; i + kWord <= size; i += kWord)
        count += markedCount(matchingBytes(loadWord(bytes + i), c));
    for (; i < size; ++i) count += static_cast<unsigned char>(bytes[i]) == c;
    return count;
}

}  // namespace core::byte_scan
