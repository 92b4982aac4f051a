#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

namespace panel {

// Small pictures of the meter front: the display's annunciators and the key caps.
enum class PanelIcon {
    Battery,        // battery outline with a low charge bar
    Adjust,         // wrench: adjustment / calibration in progress
    Test,           // beaker with solution and a check mark
    Date,           // calendar page
    Link232,        // 9-pin D-sub plug: the serial link is up
    Pole,           // pH electrode: rod with a glass bulb
    KeyCelsius,     // "°C"
    KeyFahrenheit,  // "°F"
    KeyEnter,       // return arrow
    KeyLeft,
    KeyRight,
    KeyUp,
    KeyDown,
};

// `which` drawn in `ink` on a transparent square of size x size pixels (antialiased, no image
// files). A null pixmap for size <= 0; sizes above 1024 are drawn at 1024.
QPixmap iconPixmap(PanelIcon which, int size, const QColor& ink);

// `which` at 16, 24, 32, 48 and 64 pixels for a QPushButton, in the application palette's
// button text colour (and its disabled colour for the disabled state).
QIcon keyIcon(PanelIcon which);

}  // namespace panel
