#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <utility>

#include "link/exchange.h"
#include "link/rs232.h"
#include "ui/dialogs.h"

class QWidget;

namespace panel {
class Panel;
}

namespace memory {

// How an exchange with the meter's memory ended: done, the meter's "none" answer with its
// message, or a failure with its message.
struct Ending {
    enum class Kind { Done, None, Failed };

    Kind kind = Kind::Done;
    QString message;

    static Ending done() { return {}; }
    static Ending none(const QString& message) { return {Kind::None, message}; }
    static Ending failed(const QString& message) { return {Kind::Failed, message}; }
    bool isDone() const { return kind == Kind::Done; }
};

// The title of the memory commands' message boxes.
inline const QString kMessageTitle = QStringLiteral("Memory");

// Runs `exchange` holding the line (see Rs232::RunExchange: at once when the line is free,
// otherwise in its turn) and hands its result to `finish` from the event loop once the line has
// been released, so that a message box shown by `finish` never holds the line. Both are dropped
// when `context` is destroyed first; `finish` is also dropped once the program is ending.
template <class Result>
void RunThenFinish(QObject* context, std::function<Result()> exchange,
                   std::function<void(const Result&)> finish) {
    Rs232::RunExchange(context,
                       [context, exchange = std::move(exchange), finish = std::move(finish)] {
                           Result result = exchange();
                           QTimer::singleShot(0, context, [finish, result = std::move(result)] {
                               if (!Rs232::ShuttingDown()) finish(result);
                           });
                       });
}

// Shows the message of an ending that is not Done: the "none" message with `noneIcon`, a
// failure with the warning icon.
void ShowEnding(QWidget* parent, const Ending& ending,
                ui::Dialogs::Icon noneIcon = ui::Dialogs::Icon::None);

// The panel's "Single Rec" and "Multi Rec" buttons, which open the Memory window.
void SetOpeningButtonsEnabled(panel::Panel* panel, bool enabled);
// Those two and "Time Set": every panel button that would start a memory or clock exchange.
void SetMemoryButtonsEnabled(panel::Panel* panel, bool enabled);

}  // namespace memory
