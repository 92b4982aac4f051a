#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

class QPainter;
class QRectF;

namespace ui {

class TraceView;

enum class ImageFormat { Png, Svg, Pdf };

// The filters of the Save Image dialog: PNG, SVG, PDF and all files.
QString imageFileFilter();

// Where and how an image is written: a known suffix (.png, .svg, .pdf, any case) chooses the
// format; otherwise the filter chosen in the dialog does (PNG for "All Files" or none), and a
// name without any suffix gets that format's suffix.
struct ImageTarget {
    QString path;
    ImageFormat format = ImageFormat::Png;
};
ImageTarget imageTargetFor(const QString& path, const QString& chosenFilter);

// The picture of `view` as Print draws it, under its title lines (the first one bold), centred
// in `target` on a white ground.
void paintTitledPicture(QPainter& painter, TraceView& view, const QStringList& titleLines,
                        const QRectF& target);

// The size an image of `view` gets by default: the view's current size with room for the
// title lines above it.
QSize defaultImageSize(const TraceView& view, int titleLines);

// Writes the titled picture of `view` at `size` pixels to `target`. The file is written beside
// its old version and swapped in only when complete. False with the reason.
bool saveTraceImage(TraceView& view, const QStringList& titleLines, QSize size,
                    const ImageTarget& target, QString* error);

}  // namespace ui
