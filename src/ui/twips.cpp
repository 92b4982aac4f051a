#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace ui {
namespace {

double logicalDpi(const QWidget* widget) {
    if (widget) return widget->logicalDpiX();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchX();
    return 96.0;
}

}  // namespace

int twipsToPixels(int twips, const QWidget* widget) {
    return static_cast<int>(std::lround(twips * logicalDpi(widget) / 1440.0));
}

QSize twipsToPixels(int widthTwips, int heightTwips, const QWidget* widget) {
    return {twipsToPixels(widthTwips, widget), twipsToPixels(heightTwips, widget)};
}

QPoint twipsPoint(int leftTwips, int topTwips, const QWidget* widget) {
    return {twipsToPixels(leftTwips, widget), twipsToPixels(topTwips, widget)};
}

int pixelsToTwips(int pixels, const QWidget* widget) {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpi(widget)));
}

}  // namespace ui
