#pragma once

#include <QPoint>
#include <QSize>

class QWidget;

namespace ui {

// Converts twips (1/1440 inch) to pixels by the screen's logical DPI.
int twipsToPixels(int twips, const QWidget* widget = nullptr);
QSize twipsToPixels(int widthTwips, int heightTwips, const QWidget* widget = nullptr);
QPoint twipsPoint(int leftTwips, int topTwips, const QWidget* widget = nullptr);
int pixelsToTwips(int pixels, const QWidget* widget = nullptr);

}  // namespace ui
