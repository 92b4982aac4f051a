#include <gtest/gtest.h>

#include <vector>

#include "core/window_placement.h"

namespace {

using core::WindowPosition;
using core::WindowRect;

TEST(WindowPlacement, FirstFreePlaceBesideThePanelThenCascading) {
    const WindowRect panel{0, 0, 500, 600};
    const WindowRect fullHd{0, 0, 1920, 1080};
    const WindowRect small{0, 0, 1280, 800};
    const struct {
        const char* name;
        WindowRect panel;
        WindowRect screen;
        std::vector<WindowRect> taken;
        int width, height;
        WindowPosition expected;
    } cases[] = {
        {"empty desk: right of the panel", panel, fullHd, {}, 600, 400, {500, 0}},
        {"right of the first window", panel, fullHd, {{500, 0, 600, 400}}, 600, 400, {1100, 0}},
        {"below the first window when the row is full",
         panel,
         fullHd,
         {{500, 0, 600, 400}, {1100, 0, 600, 400}},
         600,
         400,
         {500, 400}},
        {"below the panel when beside it is full",
         panel,
         small,
         {{500, 0, 780, 800}},
         400,
         200,
         {0, 600}},
        {"no free place: one cascade step",
         panel,
         small,
         {{500, 0, 700, 500}},
         700,
         500,
         {532, 32}},
        {"cascade past two standing windows",
         panel,
         small,
         {{500, 0, 700, 500}, {532, 32, 700, 500}},
         700,
         500,
         {564, 64}},
        {"too wide for beside the panel: kept on the screen",
         panel,
         {0, 0, 1024, 768},
         {},
         700,
         400,
         {324, 0}},
        {"larger than the screen: its top-left corner",
         panel,
         {0, 0, 1024, 768},
         {},
         1200,
         900,
         {0, 0}},
        {"panel on a second screen",
         {1920, 0, 500, 600},
         {1920, 0, 1920, 1080},
         {},
         600,
         400,
         {2420, 0}},
        {"screen below a top bar", {0, 30, 500, 600}, {0, 30, 1920, 1050}, {}, 600, 400, {500, 30}},
        {"a window over the panel makes no place",
         panel,
         fullHd,
         {{100, 100, 300, 300}},
         600,
         400,
         {500, 0}},
    };
    for (const auto& c : cases) {
        const WindowPosition p =
            core::PlaceBesidePanel(c.panel, c.screen, c.taken, c.width, c.height);
        EXPECT_EQ(p, c.expected) << c.name << ": " << p.x << "," << p.y;
    }
}

}  // namespace
