#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <memory>

#include "app/command_line.h"
#include "app/program.h"
#include "app/window_system.h"
#include "link/port_lister.h"

namespace {

// --help, --version and --list-ports need no display: answer them without starting the window
// system.
bool onlyAsksForText(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        for (const char* flag :
             {"-h", "--help", "-?", "--help-all", "-v", "--version", "--list-ports"})
            if (std::strcmp(argv[i], flag) == 0) return true;
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    std::unique_ptr<QCoreApplication> application;
    if (onlyAsksForText(argc, argv) || app::asksForRecording(argc, argv))
        application = std::make_unique<QCoreApplication>(argc, argv);
    else
        application = app::startWindowSystem(argc, argv);
    QCoreApplication::setApplicationName("meterpanel");
    QCoreApplication::setApplicationVersion(METERPANEL_VERSION);

    const app::Options options = app::parseCommandLine(QCoreApplication::arguments());
    if (!options.ok) {
        std::fprintf(stderr, "meterpanel: %s\n%s\n", qPrintable(options.error),
                     qPrintable(app::recordUsage()));
        return app::kRecordBadArguments;
    }
    auto lister = std::make_shared<serial::SystemPortLister>(options.stableNameFolder);
    lister->setComPorts(options.comPorts);
    if (options.record) {
        app::HeadlessRecording recording(*options.record, stdout, stderr, lister);
        if (!recording.start()) return recording.exitCode();
        app::StopOnSignals(recording);
        return QCoreApplication::exec();
    }
    if (options.listPorts) {
        const QList<serial::PortInfo> ports = lister->ports();
        std::fputs(app::portListText(ports).toLocal8Bit().constData(), stdout);
        if (ports.isEmpty()) std::fputs("meterpanel: no serial ports found\n", stderr);
        return 0;
    }
    app::Program program(lister);
    if (options.demo) {
        QString error;
        if (!program.startDemoMeter(&error)) {
            QMessageBox::critical(nullptr, "meterpanel", error);
            return 1;
        }
    }
    program.start();
    return QCoreApplication::exec();
}
