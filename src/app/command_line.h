#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/headless_recording.h"

#include "link/port_lister.h"

namespace app {

struct Options {
    bool demo = false;
    // --record FILE --port DEVICE [--interval SECONDS] [--duration SECONDS]: a recording
    // without any window.
    std::optional<RecordOptions> record;
    // --list-ports: print the serial ports and exit.
    bool listPorts = false;
    // Where the stable port names are (--by-id-folder; default udev's /dev/serial/by-id).
    QString stableNameFolder;
    // The devices COM1 to COM8 open (--comN DEVICE).
    serial::ComPorts comPorts;
    // Set when the command line was wrong; `error` says why.
    bool ok = true;
    QString error;
};

// Parses the program's command line: --demo, --comN DEVICE (N = 1..8), --list-ports,
// --by-id-folder DIR, --record FILE with --port, --interval and --duration, --help, --version.
// --help and --version print and exit as usual; anything wrong leaves
// `ok` false with the reason.
Options parseCommandLine(const QStringList& arguments);

// The usage line of the recording without a window.
QString recordUsage();

// Whether the arguments ask for a recording without a window (no display is needed then).
bool asksForRecording(int argc, char* argv[]);

// The text of --list-ports: one line per port (stable name, device, description).
QString portListText(const QList<serial::PortInfo>& ports);

}  // namespace app
