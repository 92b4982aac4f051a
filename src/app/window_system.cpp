#include "app/window_system.h"

#include <QList>
#include <cstdio>
#include <cstdlib>
#include <mutex>

namespace app {
namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

// The one line that replaces the toolkit's text; `detail` is its first complaint.
QString failureLine(const QString& detail) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QStringLiteral(
            "meterpanel: no graphical display available (set DISPLAY or WAYLAND_DISPLAY, or run "
            "under a desktop session)");
    return QStringLiteral("meterpanel: the graphical display could not be opened: %1")
        .arg(detail.simplified());
}

std::mutex heldMutex;
QList<HeldMessage> held;

// Holds every message while the application is constructed. A fatal one can only mean that no
// platform plugin could start: print one line and leave at once (Qt would abort next).
void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    std::lock_guard lock(heldMutex);
    if (type == QtFatalMsg) {
        const QString detail = held.isEmpty() ? text.section('\n', 0, 0) : held.first().text;
        std::fprintf(stderr, "%s\n", qPrintable(failureLine(detail)));
        std::fflush(stderr);
        std::_Exit(EXIT_FAILURE);
    }
    held.append({type, QByteArray(context.category), text});
}

}  // namespace

std::unique_ptr<QApplication> startWindowSystem(int& argc, char* argv[]) {
    const QtMessageHandler previous = qInstallMessageHandler(holdMessage);
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(previous);

    QList<HeldMessage> messages;
    {
        std::lock_guard lock(heldMutex);
        messages.swap(held);
    }
    for (const HeldMessage& message : messages)
        qt_message_output(message.type,
                          QMessageLogContext(nullptr, 0, nullptr, message.category.constData()),
                          message.text);
    return application;
}

}  // namespace app
