#pragma once

#include <QStringList>

class QPrinter;
class QWidget;

namespace ui {

// Prints `lines` on `printer` in the system's fixed-pitch font, running on over page breaks.
// Returns false when the printer could not be started.
bool printLinesOn(QPrinter& printer, const QStringList& lines);

// Prints the image of `widget` scaled to fit one page; a TraceView is drawn at the printer's
// resolution.
bool printWidgetOn(QPrinter& printer, QWidget* widget);

}  // namespace ui
