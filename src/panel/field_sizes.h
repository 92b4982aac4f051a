#pragma once

#include <QSize>
#include <QStringList>

class QLabel;

namespace panel {

// The widest texts each fixed field of the display shows: the value fields on every screen
// (measurement, over range, calibration, clock, interval), the units and the compensation text.
QStringList widestUpperValues();
QStringList widestLowerValues();
QStringList widestSmallValues();
QStringList mainUnits();
QStringList temperatureUnits();
QStringList compensationTexts();

// The size `field` needs to show `text` whole: a seven-segment field at its full digit height,
// a plain label in its font.
QSize sizeNeededFor(const QLabel* field, const QString& text);

// Makes `field` at least as large as each of `texts` needs, so that the field, whose size is
// frozen at the first layout, never clips nor shrinks one of them.
void reserveRoomFor(QLabel* field, const QStringList& texts);

}  // namespace panel
