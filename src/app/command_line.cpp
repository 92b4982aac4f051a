#include "app/command_line.h"

#include <QCommandLineParser>

#include "link/port_names.h"

namespace app {

Options parseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Front panel, recording and data lists for a bench pH / ORP / temperature meter on a "
        "serial port (9600,n,8,1).");
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption demo("demo",
                                  "Start a simulated meter inside the program; COM1 opens it.");
    parser.addOption(demo);
    QList<QCommandLineOption> ports;
    for (int n = serial::kFirstPort; n <= serial::kLastPort; ++n) {
        ports.append(QCommandLineOption(
            QStringLiteral("com%1").arg(n),
            QStringLiteral("Device that COM%1 opens (default %2).")
                .arg(n)
                .arg(serial::deviceForPort(n)),
            "DEVICE"));
        parser.addOption(ports.last());
    }
    parser.process(arguments);  // exits for --help, --version and unknown options

    Options options;
    options.demo = parser.isSet(demo);
    for (int n = serial::kFirstPort; n <= serial::kLastPort; ++n) {
        const QCommandLineOption& option = ports[n - serial::kFirstPort];
        if (parser.isSet(option)) serial::setDeviceForPort(n, parser.value(option));
    }
    return options;
}

}  // namespace app
