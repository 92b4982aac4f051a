#pragma once

#include <QPointer>
#include <QWidget>

namespace ui {

// Places a new top-level window beside `panel`, in the first free place on the panel's screen,
// cascading when taken, never off the screen; it keeps its size. Called once per window, before
// or when it is first shown, so a window the user has moved or resized keeps its place and size.
// Does nothing without a panel, and where the window system places the windows itself (Wayland).
void placeBesidePanel(QWidget* window, const QWidget* panel);

// Where a session's new windows go: beside its panel, once the session has made it. Until then
// (and for windows made without a panel, as in tests) windows stay where the system puts them.
class PanelAnchor {
  public:
    void setPanel(QWidget* panel) { panel_ = panel; }
    // placeBesidePanel(window, the panel).
    void place(QWidget* window) const { placeBesidePanel(window, panel_); }

  private:
    QPointer<QWidget> panel_;
};

}  // namespace ui
