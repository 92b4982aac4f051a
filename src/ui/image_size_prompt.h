#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QSpinBox;

namespace ui {

// Sizes an image may have, in pixels on each side: large enough for a poster print, small
// enough that the picture fits in memory (5000 x 5000 pixels take 100 MB).
inline constexpr int kMinImageSide = 16;
inline constexpr int kMaxImageSide = 5000;

// A small modal dialog (ImageSize) with the width (TxtImageWidth) and height (TxtImageHeight) in
// pixels, starting at `suggested`, and OK and Cancel (CmdImageSize). Only the real dialogs show
// it; tests answer Dialogs::imageSize themselves.
class ImageSizeDialog : public QDialog {
    Q_OBJECT

  public:
    ImageSizeDialog(QWidget* parent, const QString& title, QSize suggested);

    QSize chosenSize() const;

  private:
    QSpinBox* width_;
    QSpinBox* height_;
};

}  // namespace ui
