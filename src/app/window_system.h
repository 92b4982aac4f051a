#pragma once

#include <QApplication>
#include <memory>

namespace app {

// Starts the window system: constructs the QApplication. When that fails (no display, no usable
// platform plugin) the program prints one line on standard error and ends with exit code 1,
// instead of the toolkit's page of text and abort. Messages the toolkit gives while starting are
// held back and passed on once it has started. `argc` must outlive the application.
std::unique_ptr<QApplication> startWindowSystem(int& argc, char* argv[]);

}  // namespace app
