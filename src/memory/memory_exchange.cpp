#include "memory/memory_exchange.h"

namespace memory {

void ShowEnding(QWidget* parent, const Ending& ending, ui::Dialogs::Icon noneIcon) {
    if (ending.isDone() || ending.isDropped()) return;
    const ui::Dialogs::Icon icon =
        ending.kind == Ending::Kind::Nothing ? noneIcon : ui::Dialogs::Icon::Warning;
    ui::dialogs().message(parent, kMessageTitle, ending.message, icon, ui::Dialogs::Buttons::Ok);
}

std::span<const std::uint8_t> BytesOf(const QByteArray& bytes) {
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
            static_cast<std::size_t>(bytes.size())};
}

QByteArray OneByte(std::uint8_t byte) {
    return QByteArray(1, static_cast<char>(byte));
}

serial::Transaction Dump(std::uint8_t frame, qsizetype expected, int silenceMs) {
    serial::Transaction t;
    t.frame = OneByte(frame);
    t.expect = serial::Transaction::Expect::AtLeast;
    t.count = expected;
    t.silenceMs = silenceMs;
    return t;
}

serial::Transaction FlushLine() {
    serial::Transaction t = serial::Transaction::pause(0);
    t.flushAfter = true;
    return t;
}

}  // namespace memory
