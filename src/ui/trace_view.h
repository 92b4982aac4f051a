#pragma once

#include <QColor>
#include <QHash>
#include <QPointF>
#include <QSizeF>
#include <QString>
#include <QWidget>

#include <cstddef>
#include <vector>

#include "core/column_reduce.h"

class QLabel;
class QPainter;

namespace ui {

// The drawing of a live graph or a stored-data plot: fixed lines, named labels and traces laid
// out in twips on a design area, scaled uniformly to the widget (aspect kept, anchored at the
// top left, white background), so the drawing grows with its window.
//
// Traces are kept, not drawn once: they survive covering, resizing and printing. A trace has
// uniform x spacing (point i at x0 + i * step twips) and one float y per point (4 bytes, plus
// the vector's spare capacity while it grows point by point). A non-finite y is a missing
// value: the trace ends before it. Dense traces are drawn through a per-pixel-column reduction
// that is cached per widget size and trace length, so repainting a million points costs about
// as much as drawing the widget's width.
class TraceView : public QWidget {
    Q_OBJECT

  public:
    // Where a label's position lies on its text: the top-left corner, the top-right corner
    // (the text is right-aligned and ends there) or the top centre.
    enum class Anchor { LeftTop, RightTop, CentreTop };

    // `designTwips`: the design area, e.g. 6225 x 4680 twips.
    explicit TraceView(QSizeF designTwips, QWidget* parent = nullptr);
    ~TraceView() override;

    QSizeF designSize() const { return design_; }
    // The design area at the screen's resolution: the default size, at which labels keep
    // their default font.
    QSize sizeHint() const override;

    // A fixed line from `from` to `to` in twips. `width` is in pixels at the default size; it
    // grows with the drawing and never gets thinner.
    void addLine(QPointF from, QPointF to, const QColor& colour = Qt::black,
                 Qt::PenStyle style = Qt::SolidLine, int width = 1);

    // A label child named `name` (object name and accessible description) anchored at `at`
    // in twips. `fontFamily` empty: the view's font; a Times family falls back to a serif
    // face where it is missing. The label is sized to its text whenever the text or the font
    // changes, also when its text is set directly on the QLabel, so it is never clipped; its
    // font grows with the drawing and never gets smaller than at the default size.
    QLabel* addLabel(const QString& name, QPointF at, Anchor anchor = Anchor::LeftTop,
                     const QString& text = QString(), const QString& fontFamily = QString());
    // The label of that name, or nullptr.
    QLabel* label(const QString& name) const;
    // Sets a label's text; an unknown name does nothing.
    void setLabelText(const QString& name, const QString& text);

    // A new, empty trace; returns its number (0, 1, ... in order of adding). Earlier traces
    // stay, so a plot drawn again lies over the old one.
    int addTrace(double x0, double step, const QColor& colour = Qt::black, int width = 1);
    // Appends one point; repaints only the new segment. An unknown trace number does nothing.
    void appendPoint(int trace, float y);
    // Replaces a trace's points at once (moved in, millions are fine).
    void setPoints(int trace, std::vector<float> y);
    // Removes every trace.
    void clearTraces();
    int traceCount() const { return static_cast<int>(traces_.size()); }
    // Points stored in a trace (including any after a missing value); 0 for an unknown number.
    std::size_t pointCount(int trace) const;
    // Bytes held for trace points and their drawing caches.
    std::size_t heldBytes() const;

    // Pixels per twip at the widget's current size, and a point in twips in widget pixels.
    double drawingScale() const;
    QPointF toWidget(QPointF twips) const;

    // Draws the picture as shown (lines, visible labels, traces) scaled uniformly into
    // `target` of any paint device, at that device's resolution: used for printing.
    void renderTo(QPainter& painter, const QRectF& target);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;

  private:
    // How the design maps onto a device: pixel = origin + twips * scale; pens are `penScale`
    // pixels per pixel of design width.
    struct Frame {
        QPointF origin;
        double scale = 1;
        double penScale = 1;
        QPointF map(QPointF twips) const { return origin + twips * scale; }
    };

    struct Line {
        QPointF from;
        QPointF to;
        QColor colour;
        Qt::PenStyle style;
        int width;
    };

    struct LabelItem {
        QLabel* widget;
        QPointF at;
        Anchor anchor;
        QFont baseFont;
    };

    struct Trace {
        double x0 = 0;
        double step = 0;
        QColor colour;
        int width = 1;
        std::vector<float> y;
        std::size_t drawable = 0;  // points before the first missing value
        // Column reduction at the widget's current size, extended as points are appended.
        std::vector<core::ColumnSpan> spans;
        std::size_t reduced = 0;  // points the spans cover
        double spansX0 = 0;       // pixel mapping the spans were made for
        double spansDx = 0;
    };

    Frame frameFor(const QSizeF& area, QPointF origin) const;
    Frame widgetFrame() const;
    double naturalScale() const;
    double fontZoom() const;

    void layoutLabels();
    void placeLabel(LabelItem& item, const Frame& frame, double zoom);

    void paintLines(QPainter& painter, const Frame& frame) const;
    void paintTrace(QPainter& painter, const Frame& frame, Trace& trace, bool cached) const;
    const std::vector<core::ColumnSpan>& cachedSpans(Trace& trace, std::size_t count, double x0,
                                                     double dx) const;
    void paintLabels(QPainter& painter, const Frame& frame, const Frame& shown) const;
    QRectF segmentRect(const Trace& trace, std::size_t index) const;

    QSizeF design_;
    std::vector<Line> lines_;
    std::vector<LabelItem> labels_;
    QHash<QString, std::size_t> labelIndex_;
    std::vector<Trace> traces_;
};

}  // namespace ui
