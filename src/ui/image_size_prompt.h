#pragma once

#include <QSize>
#include <QString>

class QWidget;

namespace ui {

// Sizes an image may have, in pixels on each side: large enough for a poster print, small
// enough that the picture fits in memory (5000 x 5000 pixels take 100 MB).
inline constexpr int kMinImageSide = 16;
inline constexpr int kMaxImageSide = 5000;

// A small modal dialog (ImageSize) with the width (TxtImageWidth) and height (TxtImageHeight) in
// pixels, starting at `suggested`, and OK and Cancel. Returns the size, empty when cancelled.
// Only the real dialogs call it; tests answer Dialogs::imageSize themselves.
QSize askImageSize(QWidget* parent, const QString& title, QSize suggested);

}  // namespace ui
