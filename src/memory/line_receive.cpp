#include "memory/line_receive.h"

#include <QElapsedTimer>
#include <algorithm>

#include "core/protocol.h"
#include "link/rs232.h"

namespace memory {
namespace {

// Longest sleep between two reads while an answer arrives: a dump at 9600 baud is taken in
// pieces of about a hundred bytes, not byte by byte.
constexpr int kReadSliceMs = 100;
// The surplus has ended once the line was quiet this long; a meter that never stops is cut off.
constexpr int kQuietMs = 100;
constexpr int kMaxSurplusMs = 1000;
// How long the display frame that answers " " may take.
constexpr int kDisplayAnswerMs = 200;

}  // namespace

Answer ReceiveAnswer(qsizetype expected, int silenceMs,
                     const std::function<void(qsizetype)>& progress) {
    Answer answer;
    answer.bytes.reserve(expected);
    QElapsedTimer sinceByte;
    sinceByte.start();
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    while (answer.bytes.size() < expected && !Rs232::ShuttingDown()) {
        const qsizetype missing = expected - answer.bytes.size();
        const int slice =
            static_cast<int>(std::clamp<qint64>(silenceMs - sinceByte.elapsed(), 0, kReadSliceMs));
        Rs232::WaitUntil([missing] { return Rs232::InBufferCount() >= missing; }, slice);
        // Bytes are read before the silence is judged, so a wait held up by a modal box elsewhere
        // never counts as silence of the meter.
        if (Rs232::InBufferCount() > 0) {
            answer.bytes.append(Rs232::Input());
            sinceByte.restart();
            if (progress && sinceProgress.elapsed() >= kProgressEveryMs) {
                progress(std::min(answer.bytes.size(), expected));
                sinceProgress.restart();
            }
        } else if (sinceByte.elapsed() >= silenceMs) {
            break;
        }
    }
    answer.complete = answer.bytes.size() >= expected;
    if (answer.bytes.size() > expected) answer.bytes.truncate(expected);
    if (progress) progress(answer.bytes.size());
    return answer;
}

void DropSurplus() {
    QElapsedTimer since;
    since.start();
    while (!Rs232::ShuttingDown() && since.elapsed() < kMaxSurplusMs &&
           Rs232::WaitUntil([] { return Rs232::InBufferCount() > 0; }, kQuietMs)) {
        Rs232::Input();
    }
}

void BackToDisplay() {
    Rs232::Output(OneByte(core::protocol::kDumpEnd));
    Rs232::WaitUntil(
        [] {
            return Rs232::InBufferCount() >= static_cast<int>(core::protocol::kDisplayFrameSize);
        },
        kDisplayAnswerMs);
    Rs232::Flush();
}

std::span<const std::uint8_t> BytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

QByteArray OneByte(std::uint8_t byte) {
    return QByteArray(1, static_cast<char>(byte));
}

}  // namespace memory
