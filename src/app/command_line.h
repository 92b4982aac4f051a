#pragma once

#include <QString>
#include <QStringList>

#include "link/port_lister.h"

namespace app {

struct Options {
    bool demo = false;
    // --list-ports: print the serial ports and exit.
    bool listPorts = false;
    // Where the stable port names are (--by-id-folder; default udev's /dev/serial/by-id).
    QString stableNameFolder;
    // Set when the command line was wrong; `error` says why.
    bool ok = true;
    QString error;
};

// Parses the program's command line: --demo, --comN DEVICE (N = 1..8), --list-ports,
// --by-id-folder DIR, --help, --version.
// Applies the port devices. --help and --version print and exit as usual.
Options parseCommandLine(const QStringList& arguments);

// The text of --list-ports: one line per port (stable name, device, description).
QString portListText(const QList<serial::PortInfo>& ports);

}  // namespace app
