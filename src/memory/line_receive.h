#pragma once

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <span>

// Receiving the meter's long answers (dumps, the clock) inside an exchange.
namespace memory {

// An answer as far as it arrived.
struct Answer {
    QByteArray bytes;  // at most the expected length
    bool complete = false;
};

// How often a progress display is refreshed while an answer arrives.
inline constexpr int kProgressEveryMs = 250;

// Collects an answer of `expected` bytes. Sleeps in the event loop until the whole answer is
// waiting or a short slice has passed, then takes every waiting byte at once into a buffer
// reserved for the answer. Ends once `expected` bytes are there (anything beyond them is cut
// off) or when no byte has come for `silenceMs`. `progress(received)` is told the count at most
// every kProgressEveryMs and once at the end.
Answer ReceiveAnswer(qsizetype expected, int silenceMs,
                     const std::function<void(qsizetype)>& progress = {});

// Drops what the meter sends beyond an announced answer, until the line has been quiet for a
// moment, so that a surplus is never read as the answer to the next request.
void DropSurplus();

// Writes " " (back to the display) and drops the display frame the meter answers with, so that
// the next exchange starts on a quiet line.
void BackToDisplay();

// The bytes of a byte array for the core decoders.
std::span<const std::uint8_t> BytesOf(const QByteArray& bytes);

// A one-byte frame.
QByteArray OneByte(std::uint8_t byte);

}  // namespace memory
