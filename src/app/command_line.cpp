#include "app/command_line.h"

#include <QCommandLineParser>
#include <cstring>

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
        ports.append(QCommandLineOption(QStringLiteral("com%1").arg(n),
                                        QStringLiteral("Device that COM%1 opens (default %2).")
                                            .arg(n)
                                            .arg(serial::defaultDeviceForPort(n)),
                                        "DEVICE"));
        parser.addOption(ports.last());
    }
    const QCommandLineOption record(
        "record",
        "Record without any window into FILE (appended to), from the meter on --port, until "
        "--duration ends or SIGINT/SIGTERM.",
        "FILE");
    const QCommandLineOption port("port", "With --record: the meter's serial device (or COMn).",
                                  "DEVICE");
    const QCommandLineOption interval(
        "interval",
        "With --record: seconds of the PC clock between two samples (1 to 86400, "
        "default 2).",
        "SECONDS");
    const QCommandLineOption duration(
        "duration", "With --record: stop after this many seconds (default: run until stopped).",
        "SECONDS");
    parser.addOptions({record, port, interval, duration});
    const QCommandLineOption listPorts(
        "list-ports", "Print the serial ports (stable name, device, description) and exit.");
    parser.addOption(listPorts);
    const QCommandLineOption stableNames(
        "by-id-folder",
        QStringLiteral("Folder of the ports' stable names (default %1).")
            .arg(serial::defaultStableNameFolder()),
        "DIR", serial::defaultStableNameFolder());
    parser.addOption(stableNames);

    Options options;
    if (!parser.parse(arguments)) {
        options.ok = false;
        options.error = parser.errorText();
        return options;
    }
    if (parser.isSet(QStringLiteral("help"))) parser.showHelp(0);
    if (parser.isSet(QStringLiteral("version"))) parser.showVersion();
    options.demo = parser.isSet(demo);
    options.listPorts = parser.isSet(listPorts);
    options.stableNameFolder = parser.value(stableNames);
    for (int n = serial::kFirstPort; n <= serial::kLastPort; ++n) {
        const QCommandLineOption& option = ports[n - serial::kFirstPort];
        if (parser.isSet(option)) options.comPorts.setDevice(n, parser.value(option));
    }

    const auto fail = [&options](const QString& why) {
        options.ok = false;
        options.error = why;
        return options;
    };
    if (!parser.isSet(record)) {
        for (const QCommandLineOption* only : {&port, &interval, &duration})
            if (parser.isSet(*only))
                return fail(QStringLiteral("--%1 is for --record.").arg(only->names().first()));
        return options;
    }
    RecordOptions r;
    r.file = parser.value(record);
    r.demo = options.demo;
    r.port = parser.value(port);
    if (r.file.isEmpty()) return fail(QStringLiteral("--record needs a file name."));
    if (r.port.isEmpty() && !r.demo) return fail(QStringLiteral("--record needs --port DEVICE."));
    const auto seconds = [&parser](const QCommandLineOption& option, int low, int high,
                                   int fallback) -> std::optional<int> {
        if (!parser.isSet(option)) return fallback;
        bool ok = false;
        const int value = parser.value(option).toInt(&ok);
        if (!ok || value < low || value > high) return std::nullopt;
        return value;
    };
    const std::optional<int> every = seconds(interval, 1, 86400, 2);
    if (!every) return fail(QStringLiteral("--interval takes whole seconds from 1 to 86400."));
    const std::optional<int> length = seconds(duration, 1, 10 * 366 * 86400, 0);
    if (!length) return fail(QStringLiteral("--duration takes a whole number of seconds."));
    r.interval = *every;
    r.duration = *length;
    options.record = r;
    return options;
}

QString recordUsage() {
    return QStringLiteral(
        "usage: meterpanel --record FILE --port DEVICE [--interval SECONDS] "
        "[--duration SECONDS]");
}

bool asksForRecording(int argc, char* argv[]) {
    // The recording's own options too, so that a mistake in them is answered without a display.
    for (int i = 1; i < argc; ++i)
        for (const char* option : {"--record", "--port", "--interval", "--duration"}) {
            const std::size_t length = std::strlen(option);
            if (std::strncmp(argv[i], option, length) == 0 &&
                (argv[i][length] == '\0' || argv[i][length] == '='))
                return true;
        }
    return false;
}

QString portListText(const QList<serial::PortInfo>& ports) {
    QString text;
    for (const serial::PortInfo& port : ports) text += serial::portListLine(port) + '\n';
    return text;
}

}  // namespace app
