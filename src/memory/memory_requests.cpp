#include "memory/memory_requests.h"

#include "core/memory_texts.h"
#include "core/protocol.h"
#include "core/set_memory.h"
#include "link/rs232.h"
#include "memory/line_receive.h"

namespace memory {
namespace {

namespace protocol = core::protocol;

constexpr double kIntervalSettleSeconds = 0.02;

std::optional<std::uint8_t> requestByte(std::uint8_t code) {
    if (!Rs232::SendCommand(code) || !Rs232::State.LastReplyByte) return std::nullopt;
    return *Rs232::State.LastReplyByte;
}

}  // namespace

QString NoAnswerMessage(const QString& what) {
    return QStringLiteral("The meter did not answer the request for %1.").arg(what);
}

std::optional<unsigned> RequestMemoryPointer() {
    Rs232::timer1Off();
    const std::optional<std::uint8_t> high = requestByte(protocol::request::kSetPointerHigh);
    if (!high) return std::nullopt;
    const std::optional<std::uint8_t> low = requestByte(protocol::request::kSetPointerLow);
    if (!low) return std::nullopt;
    return core::MemoryPointer(*high, *low);
}

PointerReading ReadMemoryPointer() {
    PointerReading reading;
    const std::optional<unsigned> pointer = RequestMemoryPointer();
    Rs232::Flush();
    Rs232::timer1On();
    if (!pointer)
        reading.ending = Ending::failed(NoAnswerMessage(QStringLiteral("its memory pointer")));
    else
        reading.pointer = *pointer;
    return reading;
}

ClockReading ReadMeterClock() {
    ClockReading reading;
    Rs232::timer1Off();
    Rs232::Flush();
    Rs232::Output(OneByte(protocol::kClockRead));
    const Answer answer = ReceiveAnswer(protocol::kClockReplySize, kAnswerSilenceMs);
    DropSurplus();
    Rs232::timer1On();
    if (answer.complete)
        reading.text = QString::fromStdString(core::MeterClockText(BytesOf(answer.bytes)));
    else
        reading.ending = Ending::failed(
            QStringLiteral("The meter did not send its clock: no byte for %1 seconds (%2 of %3 "
                           "bytes arrived).")
                .arg(kAnswerSilenceMs / 1000)
                .arg(answer.bytes.size())
                .arg(protocol::kClockReplySize));
    return reading;
}

IntervalReading ReadLoggingInterval() {
    IntervalReading reading;
    Rs232::timer1Off();
    const std::optional<std::uint8_t> seconds = requestByte(protocol::request::kInterval);
    Rs232::timer1On();
    if (!seconds)
        reading.ending = Ending::failed(NoAnswerMessage(QStringLiteral("its sampling interval")));
    else
        reading.text = QString::fromStdString(core::IntervalText(*seconds));
    return reading;
}

void SendLoggingInterval(std::uint8_t seconds) {
    Rs232::timer1Off();
    Rs232::Flush();
    const auto frame = protocol::IntervalFrame(seconds);
    Rs232::Output(QByteArray(reinterpret_cast<const char*>(frame.data()),
                             static_cast<qsizetype>(frame.size())));
    Rs232::Delay(kIntervalSettleSeconds);
    Rs232::timer1On();
}

}  // namespace memory
