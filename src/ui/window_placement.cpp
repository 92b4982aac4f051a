#include "ui/window_placement.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <vector>

#include "core/window_placement.h"

namespace ui {

namespace {

core::WindowRect rectOf(const QRect& r) {
    return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void placeBesidePanel(QWidget* window, const QWidget* panel) {
    if (!window || !window->isWindow()) return;
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    if (!panel || panel == window || !panel->isVisible() || !panel->screen()) return;

    std::vector<core::WindowRect> taken;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w == window || w == panel || !w->isVisible()) continue;
        const Qt::WindowType type = w->windowType();
        if (type == Qt::ToolTip || type == Qt::Popup || type == Qt::Desktop) continue;
        taken.push_back(rectOf(w->frameGeometry()));
    }
    // A window not yet on the screen has no frame: it gets the panel's.
    const QRect panelFrame = panel->frameGeometry();
    const QSize frame = panelFrame.size() - panel->geometry().size();
    const QSize size = window->size() + frame;
    const core::WindowPosition p =
        core::PlaceBesidePanel(rectOf(panelFrame), rectOf(panel->screen()->availableGeometry()),
                               taken, size.width(), size.height());
    // A window's position is that of its frame.
    window->move(p.x, p.y);
}

}  // namespace ui
