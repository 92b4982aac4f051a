#include "core/window_placement.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace core {

namespace {

bool overlaps(const WindowRect& a, const WindowRect& b) {
    return a.x < b.right() && b.x < a.right() && a.y < b.bottom() && b.y < a.bottom();
}

bool fitsOn(const WindowRect& r, const WindowRect& screen) {
    return r.x >= screen.x && r.y >= screen.y && r.right() <= screen.right() &&
           r.bottom() <= screen.bottom();
}

WindowPosition onScreen(WindowPosition p, const WindowRect& screen, int width, int height) {
    p.x = std::max(std::min(p.x, screen.right() - width), screen.x);
    p.y = std::max(std::min(p.y, screen.bottom() - height), screen.y);
    return p;
}

}  // namespace

WindowPosition PlaceBesidePanel(const WindowRect& panel, const WindowRect& screen,
                                std::span<const WindowRect> taken, int width, int height) {
    std::vector<WindowPosition> places{{panel.right(), panel.y}, {panel.x, panel.bottom()}};
    for (const WindowRect& t : taken) {
        if (t.x < panel.right()) continue;  // only windows beside the panel make new places
        places.push_back({t.right(), t.y});
        places.push_back({t.x, t.bottom()});
    }
    std::stable_sort(places.begin(), places.end(), [](WindowPosition a, WindowPosition b) {
        return a.y != b.y ? a.y < b.y : a.x < b.x;
    });
    for (const WindowPosition& p : places) {
        const WindowRect r{p.x, p.y, width, height};
        if (!fitsOn(r, screen) || overlaps(r, panel)) continue;
        if (std::none_of(taken.begin(), taken.end(),
                         [&](const WindowRect& t) { return overlaps(r, t); }))
            return p;
    }

    // No free place: cascade from the place right of the panel.
    const WindowPosition origin = onScreen({panel.right(), panel.y}, screen, width, height);
    WindowPosition p = origin;
    for (int step = 0; step <= static_cast<int>(taken.size()); ++step) {
        p = onScreen({origin.x + step * kCascadeStep, origin.y + step * kCascadeStep}, screen,
                     width, height);
        const bool standing = std::any_of(taken.begin(), taken.end(), [&](const WindowRect& t) {
            return std::abs(t.x - p.x) < kCascadeStep / 2 && std::abs(t.y - p.y) < kCascadeStep / 2;
        });
        if (!standing) break;
    }
    return p;
}

}  // namespace core
