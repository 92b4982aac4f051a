#include "ui/trace_image.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QImageWriter>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

#include "ui/dialogs.h"
#include "ui/image_size_prompt.h"
#include "ui/trace_view.h"

namespace ui {

namespace {

// Images are laid out at the screen's usual 96 dots per inch, in every format.
constexpr int kImageDpi = 96;
constexpr double kPointsPerInch = 72;

struct FormatInfo {
    ImageFormat format;
    const char* suffix;
};
constexpr FormatInfo kFormats[] = {
    {ImageFormat::Png, "png"}, {ImageFormat::Svg, "svg"}, {ImageFormat::Pdf, "pdf"}};

const FormatInfo* formatOfSuffix(const QString& suffix) {
    for (const FormatInfo& info : kFormats)
        if (suffix.compare(QLatin1String(info.suffix), Qt::CaseInsensitive) == 0) return &info;
    return nullptr;
}

// Title text grows with the picture, readable from a small image to a poster.
QFont titleFont(const TraceView& view, double imageHeight) {
    QFont font = view.font();
    font.setPixelSize(std::clamp(static_cast<int>(std::lround(imageHeight / 32)), 11, 160));
    return font;
}

double titleBandHeight(const QFont& font, int lines) {
    if (lines <= 0) return 0;
    const QFontMetricsF metrics(font);
    return lines * metrics.lineSpacing() + metrics.height() / 2;
}

bool openTarget(QSaveFile& file, QString* error) {
    // Where the folder forbids creating the replacement beside the old file, write in place.
    file.setDirectWriteFallback(true);
    if (file.open(QIODevice::WriteOnly)) return true;
    if (error) *error = file.errorString();
    return false;
}

bool commitTarget(QSaveFile& file, bool painted, QString* error) {
    if (painted && file.commit()) return true;
    if (error && error->isEmpty())
        *error = file.error() != QFileDevice::NoError
                     ? file.errorString()
                     : QStringLiteral("The picture could not be drawn.");
    file.cancelWriting();
    return false;
}

bool paintOn(QPaintDevice& device, TraceView& view, const QStringList& titleLines, QSize size) {
    QPainter painter;
    if (!painter.begin(&device)) return false;
    paintTitledPicture(painter, view, titleLines, QRectF(QPointF(0, 0), QSizeF(size)));
    return painter.end();
}

bool writePng(QSaveFile& file, TraceView& view, const QStringList& titleLines, QSize size,
              QString* error) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) {
        if (error)
            *error = QStringLiteral("There is not enough memory for an image of %1 x %2 pixels.")
                         .arg(size.width())
                         .arg(size.height());
        return false;
    }
    const int dotsPerMeter = static_cast<int>(std::lround(kImageDpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    if (!paintOn(image, view, titleLines, size)) return false;
    QImageWriter writer(&file, "png");
    if (writer.write(image)) return true;
    if (error) *error = writer.errorString();
    return false;
}

bool writeSvg(QSaveFile& file, TraceView& view, const QStringList& titleLines, QSize size) {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setResolution(kImageDpi);
    svg.setTitle(titleLines.value(0));
    return paintOn(svg, view, titleLines, size);
}

bool writePdf(QSaveFile& file, TraceView& view, const QStringList& titleLines, QSize size) {
    QPdfWriter pdf(&file);
    pdf.setResolution(kImageDpi);
    pdf.setTitle(titleLines.value(0));
    // One page of exactly the picture's size, without margins.
    const QSizeF points = QSizeF(size) * (kPointsPerInch / kImageDpi);
    pdf.setPageSize(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    return paintOn(pdf, view, titleLines, size);
}

}  // namespace

QString imageFileFilter() {
    return QStringLiteral(
        "PNG Images (*.png);;SVG Drawings (*.svg);;PDF Documents (*.pdf);;All Files (*)");
}

ImageTarget imageTargetFor(const QString& path, const QString& chosenFilter) {
    const QString suffix = QFileInfo(path).suffix();
    if (const FormatInfo* known = formatOfSuffix(suffix)) return {path, known->format};
    const FormatInfo* chosen = formatOfSuffix(filterSuffix(chosenFilter));
    const FormatInfo& info = chosen ? *chosen : kFormats[0];
    if (!suffix.isEmpty() || QFileInfo(path).fileName().endsWith(QLatin1Char('.')))
        return {path, info.format};
    return {path + QLatin1Char('.') + QLatin1String(info.suffix), info.format};
}

void paintTitledPicture(QPainter& painter, TraceView& view, const QStringList& titleLines,
                        const QRectF& target) {
    painter.fillRect(target, Qt::white);
    const QFont font = titleFont(view, target.height());
    const QFontMetricsF metrics(font, painter.device());
    double y = target.top() + metrics.height() / 4;
    painter.setPen(Qt::black);
    for (qsizetype i = 0; i < titleLines.size(); ++i) {
        QFont lineFont = font;
        lineFont.setBold(i == 0);
        painter.setFont(lineFont);
        painter.drawText(QRectF(target.left(), y, target.width(), metrics.lineSpacing()),
                         Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, titleLines[i]);
        y += metrics.lineSpacing();
    }
    if (!titleLines.isEmpty()) y += metrics.height() / 4;

    // The picture keeps its proportions, centred across the room left under the title.
    const QRectF room(target.left(), y, target.width(), std::max(0.0, target.bottom() - y));
    const QSizeF picture = view.designSize().scaled(room.size(), Qt::KeepAspectRatio);
    const QPointF at(room.left() + (room.width() - picture.width()) / 2, room.top());
    view.renderTo(painter, QRectF(at, picture));
}

QSize defaultImageSize(const TraceView& view, int titleLines) {
    const QSize shown = view.size().isEmpty() ? view.sizeHint() : view.size();
    const double band = titleBandHeight(titleFont(view, shown.height()), titleLines);
    const QSize size(shown.width(), shown.height() + static_cast<int>(std::ceil(band)));
    return size.boundedTo(QSize(kMaxImageSide, kMaxImageSide))
        .expandedTo(QSize(kMinImageSide, kMinImageSide));
}

bool saveTraceImage(TraceView& view, const QStringList& titleLines, QSize size,
                    const ImageTarget& target, QString* error) {
    if (error) error->clear();
    if (size.width() < kMinImageSide || size.height() < kMinImageSide ||
        size.width() > kMaxImageSide || size.height() > kMaxImageSide) {
        if (error)
            *error = QStringLiteral("An image is %1 to %2 pixels wide and high.")
                         .arg(kMinImageSide)
                         .arg(kMaxImageSide);
        return false;
    }
    QSaveFile file(target.path);
    if (!openTarget(file, error)) return false;
    bool painted = false;
    switch (target.format) {
        case ImageFormat::Png:
            painted = writePng(file, view, titleLines, size, error);
            break;
        case ImageFormat::Svg:
            painted = writeSvg(file, view, titleLines, size);
            break;
        case ImageFormat::Pdf:
            painted = writePdf(file, view, titleLines, size);
            break;
    }
    return commitTarget(file, painted, error);
}

}  // namespace ui
