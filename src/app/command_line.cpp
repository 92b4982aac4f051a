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
    const QCommandLineOption listPorts(
        "list-ports", "Print the serial ports (stable name, device, description) and exit.");
    parser.addOption(listPorts);
    const QCommandLineOption stableNames(
        "by-id-folder",
        QStringLiteral("Folder of the ports' stable names (default %1).")
            .arg(serial::defaultStableNameFolder()),
        "DIR", serial::defaultStableNameFolder());
    parser.addOption(stableNames);
    parser.process(arguments);  // exits for --help, --version and unknown options

    Options options;
    options.demo = parser.isSet(demo);
    options.listPorts = parser.isSet(listPorts);
    options.stableNameFolder = parser.value(stableNames);
    for (int n = serial::kFirstPort; n <= serial::kLastPort; ++n) {
        const QCommandLineOption& option = ports[n - serial::kFirstPort];
        if (parser.isSet(option)) serial::setDeviceForPort(n, parser.value(option));
    }
    return options;
}

QString portListText(const QList<serial::PortInfo>& ports) {
    QString text;
    for (const serial::PortInfo& port : ports) text += serial::portListLine(port) + '\n';
    return text;
}

}  // namespace app
