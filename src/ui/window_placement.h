#pragma once

class QWidget;

namespace ui {

// Places a new top-level window beside the front panel ("Panel"), in the first free place on
// the panel's screen, cascading when taken, never off the screen; it keeps its size. Called once
// per window, before or when it is first shown, so a window the user has moved or resized keeps
// its place and size. Does nothing without a panel, and where the window system places the
// windows itself (Wayland).
void placeBesidePanel(QWidget* window);

}  // namespace ui
