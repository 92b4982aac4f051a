#pragma once

#include <QString>
#include <QStringList>

namespace app {

struct Options {
    bool demo = false;
    // Set when the command line was wrong; `error` says why.
    bool ok = true;
    QString error;
};

// Parses the program's command line: --demo, --comN DEVICE (N = 1..8), --help, --version.
// Applies the port devices. --help and --version print and exit as usual.
Options parseCommandLine(const QStringList& arguments);

}  // namespace app
