#pragma once

#include <span>

// Where a new window opens: beside the front panel, in the first free place on the panel's
// screen, cascading when every such place is taken, and never off the screen.
namespace core {

// A window's rectangle on the desktop, frame included, in pixels.
struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; }    // first pixel column past it
    int bottom() const { return y + height; }  // first pixel row past it
    bool operator==(const WindowRect&) const = default;
};

struct WindowPosition {
    int x = 0;
    int y = 0;
    bool operator==(const WindowPosition&) const = default;
};

// Offset of each step of a cascade.
inline constexpr int kCascadeStep = 32;

// The top-left corner for a new window of `width` x `height` (frame included). `panel`: the
// front panel; `screen`: the usable area of its screen; `taken`: the other open windows.
// The free places are, in reading order (top to bottom, then left to right): right of the
// panel at its top, right of and below each open window beside the panel, and below the panel;
// a place is free when the window fits on the screen there without covering the panel or an
// open window. With no free place the window cascades from the place right of the panel, one
// step down and right for each place where an open window already stands. The result always
// lies on the screen (its top-left corner when the window is larger than the screen).
WindowPosition PlaceBesidePanel(const WindowRect& panel, const WindowRect& screen,
                                std::span<const WindowRect> taken, int width, int height);

}  // namespace core
