#include "ui/trace_view.h"

#include <QEvent>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>

#include "ui/accessible_name.h"

namespace ui {

namespace {

// Closer than this many pixels, points fill every column and a trace is drawn through its
// column reduction; farther apart every point is a vertex of one polyline.
constexpr double kPolylineMinStepPixels = 1.0;

constexpr double kTwipsPerInch = 1440;

Qt::Alignment alignmentOf(TraceView::Anchor anchor) {
    switch (anchor) {
        case TraceView::Anchor::RightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case TraceView::Anchor::CentreTop:
            return Qt::AlignHCenter | Qt::AlignTop;
        case TraceView::Anchor::LeftTop:
            break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

QFont scaledFont(QFont font, double zoom) {
    if (font.pointSizeF() > 0) {
        font.setPointSizeF(font.pointSizeF() * zoom);
    } else if (font.pixelSize() > 0) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(font.pixelSize() * zoom))));
    }
    return font;
}

// The picture of a reduced trace: in each column one bar from the lowest to the highest point,
// stretched to the previous column's last point, which covers the segment joining the two
// columns (points closer than a pixel leave no column empty). A pen of `penWidth` pixels widens
// the bars on every side. Each pixel of the bars lies within one pixel of the full polyline.
template <class MapY>
QVector<QRect> columnBars(const std::vector<core::ColumnSpan>& spans, MapY mapY, double penWidth) {
    constexpr long long kFarColumn = 1 << 24;  // far outside any device; keeps ints safe
    const int thickness = std::max(1, static_cast<int>(std::lround(penWidth)));
    const int before = (thickness - 1) / 2;
    QVector<QRect> bars;
    bars.reserve(static_cast<qsizetype>(spans.size()));
    const core::ColumnSpan* previous = nullptr;
    for (const core::ColumnSpan& span : spans) {
        float low = span.minY;
        float high = span.maxY;
        if (previous) {
            low = std::min(low, previous->lastY);
            high = std::max(high, previous->lastY);
        }
        previous = &span;
        if (span.column < -kFarColumn || span.column > kFarColumn) continue;
        const double a = std::floor(mapY(low));
        const double b = std::floor(mapY(high));
        const int top = static_cast<int>(std::clamp(std::min(a, b), -1e9, 1e9));
        const int bottom = static_cast<int>(std::clamp(std::max(a, b), -1e9, 1e9));
        bars.append(QRect(static_cast<int>(span.column) - before, top - before, thickness,
                          bottom - top + thickness));
    }
    return bars;
}

std::size_t finitePrefix(const std::vector<float>& y) {
    const auto missing =
        std::find_if(y.begin(), y.end(), [](float v) { return !std::isfinite(v); });
    return static_cast<std::size_t>(missing - y.begin());
}

}  // namespace

TraceView::TraceView(QSizeF designTwips, QWidget* parent) : QWidget(parent), design_(designTwips) {
    // paintEvent fills every pixel it is asked for.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

TraceView::~TraceView() = default;

QSize TraceView::sizeHint() const {
    const double scale = naturalScale();
    return {static_cast<int>(std::ceil(design_.width() * scale)),
            static_cast<int>(std::ceil(design_.height() * scale))};
}

void TraceView::addLine(QPointF from, QPointF to, const QColor& colour, Qt::PenStyle style,
                        int width) {
    lines_.push_back({from, to, colour, style, std::max(1, width)});
    update();
}

QLabel* TraceView::addLabel(const QString& name, QPointF at, Anchor anchor, const QString& text,
                            const QString& fontFamily) {
    auto* widget = named(new QLabel(text, this), name);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(alignmentOf(anchor));
    widget->show();  // children added to a view already on screen are not shown by themselves
    QFont font = this->font();
    if (!fontFamily.isEmpty()) {
        font.setFamilies({fontFamily});
        if (fontFamily.startsWith(QLatin1String("Times"), Qt::CaseInsensitive))
            font.setStyleHint(QFont::Serif);
    }
    labelIndex_.insert(name, labels_.size());
    labels_.push_back({widget, at, anchor, font});
    placeLabel(labels_.back(), widgetFrame(), fontZoom());
    return widget;
}

QLabel* TraceView::label(const QString& name) const {
    const auto found = labelIndex_.constFind(name);
    return found == labelIndex_.constEnd() ? nullptr : labels_[*found].widget;
}

void TraceView::setLabelText(const QString& name, const QString& text) {
    const auto found = labelIndex_.constFind(name);
    if (found == labelIndex_.constEnd()) return;
    LabelItem& item = labels_[*found];
    item.widget->setText(text);
    placeLabel(item, widgetFrame(), fontZoom());
}

int TraceView::addTrace(double x0, double step, const QColor& colour, int width) {
    Trace trace;
    trace.x0 = x0;
    trace.step = step;
    trace.colour = colour;
    trace.width = std::max(1, width);
    traces_.push_back(std::move(trace));
    return traceCount() - 1;
}

void TraceView::appendPoint(int trace, float y) {
    if (trace < 0 || trace >= traceCount()) return;
    Trace& t = traces_[trace];
    const bool extends = t.drawable == t.y.size() && std::isfinite(y);
    t.y.push_back(y);
    if (!extends) return;
    ++t.drawable;
    if (t.drawable >= 2 && isVisible()) update(segmentRect(t, t.drawable - 1).toAlignedRect());
}

void TraceView::setPoints(int trace, std::vector<float> y) {
    if (trace < 0 || trace >= traceCount()) return;
    Trace& t = traces_[trace];
    t.y = std::move(y);
    t.drawable = finitePrefix(t.y);
    t.spans.clear();
    t.spans.shrink_to_fit();
    t.reduced = 0;
    update();
}

void TraceView::clearTraces() {
    traces_.clear();
    update();
}

std::size_t TraceView::pointCount(int trace) const {
    return trace < 0 || trace >= traceCount() ? 0 : traces_[trace].y.size();
}

std::size_t TraceView::heldBytes() const {
    std::size_t bytes = 0;
    for (const Trace& t : traces_)
        bytes += t.y.capacity() * sizeof(float) + t.spans.capacity() * sizeof(core::ColumnSpan);
    return bytes;
}

double TraceView::drawingScale() const {
    return widgetFrame().scale;
}

QPointF TraceView::toWidget(QPointF twips) const {
    return widgetFrame().map(twips);
}

double TraceView::naturalScale() const {
    return logicalDpiX() / kTwipsPerInch;
}

TraceView::Frame TraceView::frameFor(const QSizeF& area, QPointF origin) const {
    Frame frame;
    frame.origin = origin;
    frame.scale = design_.isEmpty()
                      ? 0
                      : std::min(area.width() / design_.width(), area.height() / design_.height());
    frame.penScale = std::max(1.0, frame.scale / naturalScale());
    return frame;
}

TraceView::Frame TraceView::widgetFrame() const {
    // A widget that has no size yet shows (and prints) as at its default size.
    return frameFor(size().isEmpty() ? sizeHint() : size(), QPointF(0, 0));
}

double TraceView::fontZoom() const {
    return std::max(1.0, widgetFrame().scale / naturalScale());
}

void TraceView::layoutLabels() {
    const Frame frame = widgetFrame();
    const double zoom = fontZoom();
    for (LabelItem& item : labels_) placeLabel(item, frame, zoom);
}

void TraceView::placeLabel(LabelItem& item, const Frame& frame, double zoom) {
    const QFont font = scaledFont(item.baseFont, zoom);
    if (item.widget->font() != font) item.widget->setFont(font);
    const QSize size = item.widget->sizeHint();
    const QPointF at = frame.map(item.at);
    double left = at.x();
    if (item.anchor == Anchor::RightTop) left -= size.width();
    if (item.anchor == Anchor::CentreTop) left -= size.width() / 2.0;
    item.widget->setGeometry(QRect(
        QPoint(static_cast<int>(std::lround(left)), static_cast<int>(std::lround(at.y()))), size));
}

void TraceView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutLabels();
}

void TraceView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    layoutLabels();
}

bool TraceView::event(QEvent* event) {
    // A label whose text or font changed asks its parent for a new layout.
    if (event->type() == QEvent::LayoutRequest) layoutLabels();
    return QWidget::event(event);
}

QRectF TraceView::segmentRect(const Trace& trace, std::size_t index) const {
    const Frame frame = widgetFrame();
    const auto pointAt = [&](std::size_t i) {
        return frame.map(QPointF(trace.x0 + static_cast<double>(i) * trace.step, trace.y[i]));
    };
    QRectF rect = QRectF(pointAt(index - 1), pointAt(index)).normalized();
    if (std::fabs(trace.step * frame.scale) < kPolylineMinStepPixels) {
        // Reduced: the point's whole column may change shape.
        rect.setTop(0);
        rect.setBottom(height());
    }
    const double pad = trace.width * frame.penScale + 2;
    return rect.adjusted(-pad, -pad, pad, pad);
}

void TraceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    const Frame frame = widgetFrame();
    paintLines(painter, frame);
    for (Trace& trace : traces_) paintTrace(painter, frame, trace, true);
}

void TraceView::renderTo(QPainter& painter, const QRectF& target) {
    layoutLabels();
    const Frame shown = widgetFrame();
    Frame frame = frameFor(target.size(), target.topLeft());
    if (shown.scale <= 0 || frame.scale <= 0) return;
    // Pens and label fonts keep the proportions they have on the screen.
    frame.penScale = shown.penScale * frame.scale / shown.scale;

    painter.save();
    painter.setClipRect(target, Qt::IntersectClip);
    painter.fillRect(QRectF(target.topLeft(), design_ * frame.scale), Qt::white);
    paintLines(painter, frame);
    for (Trace& trace : traces_) paintTrace(painter, frame, trace, false);
    paintLabels(painter, frame, shown);
    painter.restore();
}

void TraceView::paintLines(QPainter& painter, const Frame& frame) const {
    for (const Line& line : lines_) {
        painter.setPen(QPen(line.colour, line.width * frame.penScale, line.style));
        painter.drawLine(frame.map(line.from), frame.map(line.to));
    }
}

void TraceView::paintTrace(QPainter& painter, const Frame& frame, Trace& trace, bool cached) const {
    const std::size_t count = trace.drawable;
    if (count < 2) return;
    const double x0 = frame.origin.x() + trace.x0 * frame.scale;
    const double dx = trace.step * frame.scale;
    const auto mapY = [&](float y) { return frame.origin.y() + y * frame.scale; };
    painter.setPen(QPen(trace.colour, trace.width * frame.penScale));

    if (std::fabs(dx) >= kPolylineMinStepPixels) {
        QPolygonF polyline(static_cast<int>(count));
        for (std::size_t i = 0; i < count; ++i)
            polyline[static_cast<int>(i)] =
                QPointF(x0 + static_cast<double>(i) * dx, mapY(trace.y[i]));
        painter.drawPolyline(polyline);
        return;
    }

    std::vector<core::ColumnSpan> uncached;
    if (!cached) uncached = core::ReduceToColumns(trace.y.data(), count, x0, dx);
    const std::vector<core::ColumnSpan>& spans =
        cached ? cachedSpans(trace, count, x0, dx) : uncached;
    painter.setPen(Qt::NoPen);
    painter.setBrush(trace.colour);
    painter.drawRects(columnBars(spans, mapY, trace.width * frame.penScale));
}

const std::vector<core::ColumnSpan>& TraceView::cachedSpans(Trace& trace, std::size_t count,
                                                            double x0, double dx) const {
    if (trace.spansX0 != x0 || trace.spansDx != dx || trace.reduced > count) {
        trace.spans.clear();
        trace.reduced = 0;
        trace.spansX0 = x0;
        trace.spansDx = dx;
    }
    if (trace.reduced < count) {
        core::AppendColumnSpans(trace.spans, trace.y.data(), trace.reduced, count, x0, dx);
        trace.reduced = count;
    }
    return trace.spans;
}

void TraceView::paintLabels(QPainter& painter, const Frame& frame, const Frame& shown) const {
    // The labels as laid out on the screen, scaled by the same factor as the drawing. Point
    // sizes are converted so that the device's resolution does not enlarge them twice.
    const double factor = frame.scale / shown.scale;
    const double dpiRatio = static_cast<double>(logicalDpiY()) / painter.device()->logicalDpiY();
    for (const LabelItem& item : labels_) {
        const QLabel* widget = item.widget;
        if (!widget->isVisibleTo(this) || widget->text().isEmpty()) continue;
        QFont font = widget->font();
        if (font.pointSizeF() > 0) font.setPointSizeF(font.pointSizeF() * dpiRatio);
        painter.save();
        painter.translate(frame.origin);
        painter.scale(factor, factor);
        painter.setFont(font);
        painter.setPen(widget->palette().color(QPalette::WindowText));
        painter.drawText(QRectF(widget->geometry()).translated(-shown.origin),
                         widget->alignment() | Qt::TextDontClip, widget->text());
        painter.restore();
    }
}

}  // namespace ui
