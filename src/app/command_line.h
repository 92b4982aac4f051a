#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "app/headless_recording.h"

namespace app {

struct Options {
    bool demo = false;
    // --record FILE --port DEVICE [--interval SECONDS] [--duration SECONDS]: a recording
    // without any window.
    std::optional<RecordOptions> record;
    // Set when the command line was wrong; `error` says why.
    bool ok = true;
    QString error;
};

// Parses the program's command line: --demo, --comN DEVICE (N = 1..8), --record FILE with
// --port, --interval and --duration, --help, --version. Applies the port devices. --help and
// --version print and exit as usual; anything wrong leaves `ok` false with the reason.

Options parseCommandLine(const QStringList& arguments);

// The usage line of the recording without a window.
QString recordUsage();

// Whether the arguments ask for a recording without a window (no display is needed then).
bool asksForRecording(int argc, char* argv[]);

}  // namespace app
