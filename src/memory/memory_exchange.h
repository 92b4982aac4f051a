#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <span>

#include "link/rs232.h"
#include "link/transaction.h"
#include "ui/dialogs.h"

class QWidget;

namespace memory {

// How an exchange with the meter's memory ended: done, the meter's "none" answer with its
// message, or a failure with its message.
using Ending = serial::Ending;

// The title of the memory commands' message boxes.
inline const QString kMessageTitle = QStringLiteral("Memory");

// Shows the message of an ending that is neither Done nor Dropped: the "none" message with
// `noneIcon`, a failure with the warning icon. Called only once the line was released.
void ShowEnding(QWidget* parent, const Ending& ending,
                ui::Dialogs::Icon noneIcon = ui::Dialogs::Icon::None);

// The bytes of a byte array for the core decoders.
std::span<const std::uint8_t> BytesOf(const QByteArray& bytes);

// A one-byte frame.
QByteArray OneByte(std::uint8_t byte);

// An answer of `expected` bytes to `frame`, given up after `silenceMs` without a byte.
serial::Transaction Dump(std::uint8_t frame, qsizetype expected, int silenceMs);

// An empty pause that only empties the receive buffers.
serial::Transaction FlushLine();

}  // namespace memory
