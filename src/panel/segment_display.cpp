#include "panel/segment_display.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>

namespace panel {

namespace {

// Proportions of a digit cell, as fractions of the digit height.
constexpr double kDigitWidth = 0.54;
constexpr double kStroke = 0.135;  // segment thickness
constexpr double kSeam = 0.028;    // clear glass between neighbouring segments
constexpr double kGap = 0.30;      // space after a cell; holds the point, colon or degree ring
constexpr double kSlant = 0.09;    // horizontal lean of the cell top over its height
constexpr double kPadX = 0.10;     // glass left and right of the digits
constexpr double kPadY = 0.10;     // glass above and below the digits
constexpr double kGhostAlpha = 0.09;

constexpr int kMinDigitHeight = 4;
constexpr int kMaxDigitHeight = 2000;

// Segment bits: a = top, b = upper right, c = lower right, d = bottom, e = lower left,
// f = upper left, g = middle.
enum : int { A = 1, B = 2, C = 4, D = 8, E = 16, F = 32, G = 64 };

struct SegmentForm {
    char16_t ch;
    int bits;
};

// Characters the display can form from segments besides the digits (a blank is a form too).
constexpr SegmentForm kForms[] = {
    {u' ', 0},
    {u'\u00A0', 0},
    {u'-', G},
    {u'_', D},
    {u'=', D | G},
    {u'A', A | B | C | E | F | G},
    {u'a', A | B | C | D | E | G},
    {u'B', C | D | E | F | G},
    {u'b', C | D | E | F | G},
    {u'C', A | D | E | F},
    {u'c', D | E | G},
    {u'D', B | C | D | E | G},
    {u'd', B | C | D | E | G},
    {u'E', A | D | E | F | G},
    {u'e', A | B | D | E | F | G},
    {u'F', A | E | F | G},
    {u'f', A | E | F | G},
    {u'G', A | C | D | E | F},
    {u'g', A | B | C | D | F | G},
    {u'H', B | C | E | F | G},
    {u'h', C | E | F | G},
    {u'I', E | F},
    {u'l', E | F},
    {u'i', E},
    {u'J', B | C | D | E},
    {u'j', B | C | D | E},
    {u'L', D | E | F},
    {u'N', C | E | G},
    {u'n', C | E | G},
    {u'O', A | B | C | D | E | F},
    {u'o', C | D | E | G},
    {u'P', A | B | E | F | G},
    {u'p', A | B | E | F | G},
    {u'Q', A | B | C | F | G},
    {u'q', A | B | C | F | G},
    {u'R', E | G},
    {u'r', E | G},
    {u'S', A | C | D | F | G},
    {u's', A | C | D | F | G},
    {u'T', D | E | F | G},
    {u't', D | E | F | G},
    {u'U', B | C | D | E | F},
    {u'V', B | C | D | E | F},
    {u'u', C | D | E},
    {u'v', C | D | E},
    {u'Y', B | C | D | F | G},
    {u'y', B | C | D | F | G},
    {u'Z', A | B | D | E | G},
    {u'z', A | B | D | E | G},
};

// The seven-segment form of a character; false when it has none and must be drawn as text.
bool segmentForm(QChar ch, int& bits) {
    static constexpr int kDigits[10] = {
        A | B | C | D | E | F, B | C,         A | B | D | E | G,
        A | B | C | D | G,     B | C | F | G, A | C | D | F | G,
        A | C | D | E | F | G, A | B | C,     A | B | C | D | E | F | G,
        A | B | C | D | F | G};
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9') {
        bits = kDigits[u - u'0'];
        return true;
    }
    for (const SegmentForm& form : kForms) {
        if (form.ch == u) {
            bits = form.bits;
            return true;
        }
    }
    return false;
}

// Outlines of the seven segments of an upright cell of height h with its top-left at the
// origin, in bit order a..g. Outer corners are mitred, the middle ends pointed.
std::array<QPolygonF, 7> segmentOutlines(double h) {
    const double w = kDigitWidth * h;
    const double t = std::max(kStroke * h, 1.2);
    const double s = std::max(kSeam * h, 0.5);
    const double m = h / 2;
    const double ht = t / 2;
    std::array<QPolygonF, 7> seg;
    seg[0] << QPointF(s, 0) << QPointF(w - s, 0) << QPointF(w - t - s, t) << QPointF(t + s, t);
    seg[1] << QPointF(w, s) << QPointF(w, m - s - ht) << QPointF(w - ht, m - s)
           << QPointF(w - t, m - s - ht) << QPointF(w - t, t + s);
    seg[2] << QPointF(w, h - s) << QPointF(w, m + s + ht) << QPointF(w - ht, m + s)
           << QPointF(w - t, m + s + ht) << QPointF(w - t, h - t - s);
    seg[3] << QPointF(s, h) << QPointF(w - s, h) << QPointF(w - t - s, h - t)
           << QPointF(t + s, h - t);
    seg[4] << QPointF(0, h - s) << QPointF(0, m + s + ht) << QPointF(ht, m + s)
           << QPointF(t, m + s + ht) << QPointF(t, h - t - s);
    seg[5] << QPointF(0, s) << QPointF(0, m - s - ht) << QPointF(ht, m - s)
           << QPointF(t, m - s - ht) << QPointF(t, t + s);
    seg[6] << QPointF(ht + s, m) << QPointF(t + s, m - ht) << QPointF(w - t - s, m - ht)
           << QPointF(w - ht - s, m) << QPointF(w - t - s, m + ht) << QPointF(t + s, m + ht);
    return seg;
}

// Leans a cell to the right about its baseline (y = h), like italic type.
QTransform slant(double h) {
    return QTransform(1, 0, -kSlant, 1, kSlant * h, 0);
}

// Everything a rendering at one digit height needs, built once per rendering.
struct Glass {
    double h = 0;
    double w = 0;
    double gap = 0;
    std::array<QPainterPath, 7> segments;
    QPainterPath allSegments;
    QPainterPath point;   // in the gap after the cell, origin = start of the gap
    QPainterPath colon;   // same origin
    QPainterPath degree;  // same origin, a ring
    QFont glyphFont;

    Glass(double height, const QFont& base)
        : h(height), w(kDigitWidth * height), gap(kGap * height) {
        const QTransform lean = slant(h);
        const auto outlines = segmentOutlines(h);
        for (std::size_t i = 0; i < outlines.size(); ++i) {
            QPainterPath p;
            p.addPolygon(outlines[i]);
            p.closeSubpath();
            segments[i] = lean.map(p);
            allSegments.addPath(segments[i]);
        }
        const double t = std::max(kStroke * h, 1.2);
        const double dot = t * 0.62;
        const double cx = gap * 0.45;
        QPainterPath p;
        p.addEllipse(QPointF(cx, h - dot), dot, dot);
        point = lean.map(p);
        p.clear();
        p.addEllipse(QPointF(gap * 0.5, h * 0.30), dot, dot);
        p.addEllipse(QPointF(gap * 0.5, h * 0.72), dot, dot);
        colon = lean.map(p);
        p.clear();
        const double r = h * 0.09;
        const double inner = std::max(r - t * 0.55, r * 0.35);
        p.addEllipse(QPointF(gap * 0.5, h * 0.02 + r), r, r);
        p.addEllipse(QPointF(gap * 0.5, h * 0.02 + r), inner, inner);  // odd-even: a ring
        degree = lean.map(p);

        glyphFont = base;
        glyphFont.setBold(true);
        glyphFont.setPixelSize(100);
        const double cap = QFontMetricsF(glyphFont).capHeight();
        const double px = cap > 1 ? 100.0 * h / cap : h * 1.4;
        glyphFont.setPixelSize(
            std::clamp(static_cast<int>(std::lround(px)), 1, 4 * kMaxDigitHeight));
    }

    // A character without a segment form, fitted into the cell on its baseline and leaned.
    QPainterPath glyph(const QString& text) const {
        QPainterPath p;
        p.addText(0, 0, glyphFont, text);
        const QRectF box = p.boundingRect();
        if (box.isEmpty()) return {};
        const double sx = std::min(1.0, w / box.width());
        const double sy = std::min(1.0, h / std::max(1.0, -box.top()));
        QTransform fit;
        fit.translate(w / 2, h);
        fit.scale(std::min(sx, sy * 1.2), sy);
        fit.translate(-box.center().x(), 0);
        return slant(h).map(fit.map(p));
    }
};

}  // namespace

SegmentDisplay::SegmentDisplay(QWidget* parent) : SegmentDisplay(QString(), parent) {}

SegmentDisplay::SegmentDisplay(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setTextFormat(Qt::PlainText);
}

void SegmentDisplay::setGhostSegments(bool on) {
    if (ghost_ == on) return;
    ghost_ = on;
    update();
}

void SegmentDisplay::setDigitHeight(int px) {
    px = px <= 0 ? 0 : std::clamp(px, kMinDigitHeight, kMaxDigitHeight);
    if (digitHeight_ == px) return;
    digitHeight_ = px;
    updateGeometry();
    update();
}

void SegmentDisplay::parseText() const {
    const QString current = text();
    if (parsed_ && current == parsedText_) return;
    parsedText_ = current;
    parsed_ = true;
    cells_.clear();

    // Puts a mark into the gap after the last cell, or into a gap of its own.
    auto mark = [this](bool Cell::*slot) {
        if (cells_.isEmpty() || !cells_.back().digit || cells_.back().*slot) {
            Cell gapOnly;
            gapOnly.digit = false;
            cells_.push_back(gapOnly);
        }
        cells_.back().*slot = true;
    };

    for (qsizetype i = 0; i < current.size(); ++i) {
        const QChar ch = current.at(i);
        if (ch == QLatin1Char(' ')) {
            // The meter's texts write a blank digit as two spaces and space out dash patterns
            // ("- - - . -") with single ones: every two spaces make one blank cell.
            qsizetype run = 1;
            while (i + run < current.size() && current.at(i + run) == QLatin1Char(' ')) ++run;
            for (qsizetype blank = 0; blank < run / 2; ++blank) cells_.push_back(Cell());
            i += run - 1;
            continue;
        }
        switch (ch.unicode()) {
            case '.':
            case ',':
                mark(&Cell::point);
                continue;
            case ':':
                mark(&Cell::colon);
                continue;
            case '\'':
            case 0x00B0:
                mark(&Cell::degree);
                continue;
            default:
                break;
        }
        Cell cell;
        if (ch.isHighSurrogate() && i + 1 < current.size() && current.at(i + 1).isLowSurrogate()) {
            cell.glyph = current.mid(i, 2);
            ++i;
            if (!QChar::isPrint(QChar::surrogateToUcs4(cell.glyph.at(0), cell.glyph.at(1)))) {
                continue;
            }
        } else if (segmentForm(ch, cell.segments)) {
            // drawn from segments
        } else if (!ch.isPrint() || ch.isMark() || ch.isSpace()) {
            continue;  // controls, lone surrogates, combining marks, tabs, line breaks
        } else {
            cell.glyph = QString(ch);
        }
        cells_.push_back(cell);
    }
}

double SegmentDisplay::naturalWidth(double h) const {
    parseText();
    double width = 2 * kPadX * h + kSlant * h;
    for (const Cell& cell : cells_) width += (cell.digit ? kDigitWidth * h : 0) + kGap * h;
    if (!cells_.isEmpty()) {
        const Cell& last = cells_.back();
        if (last.digit && !last.point && !last.colon && !last.degree) width -= kGap * h;
    }
    return width;
}

int SegmentDisplay::preferredDigitHeight() const {
    if (digitHeight_ > 0) return digitHeight_;
    return std::clamp(QFontInfo(font()).pixelSize(), kMinDigitHeight, kMaxDigitHeight);
}

QSize SegmentDisplay::hintFor(int h) const {
    const QMargins m = contentsMargins() + margin();
    const double width = std::ceil(naturalWidth(h)) + m.left() + m.right();
    const double height = std::ceil(h * (1 + 2 * kPadY)) + m.top() + m.bottom();
    const double limit = QWIDGETSIZE_MAX;
    return QSize(static_cast<int>(std::min(width, limit)),
                 static_cast<int>(std::min(height, limit)));
}

QSize SegmentDisplay::sizeHint() const {
    return hintFor(preferredDigitHeight());
}

QSize SegmentDisplay::minimumSizeHint() const {
    // The digits shrink to fit the width, so one cell's width is enough to show something.
    const int h = std::max(kMinDigitHeight, preferredDigitHeight() / 2);
    const QSize full = hintFor(h);
    const QMargins m = contentsMargins() + margin();
    const int oneCell =
        static_cast<int>(std::ceil((kDigitWidth + kSlant + 2 * kPadX) * h)) + m.left() + m.right();
    return QSize(std::min(full.width(), oneCell), full.height());
}

void SegmentDisplay::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().marginsRemoved(QMargins() + margin());
    if (area.isEmpty()) return;
    parseText();

    const qreal dpr = devicePixelRatioF();
    CacheKey key{parsedText_, area.size(),
                 dpr,         palette().color(QPalette::WindowText).rgba(),
                 ghost_,      static_cast<int>(alignment()),
                 font().key()};
    if (cache_.isNull() || !(key == cacheKey_)) {
        cache_ = QPixmap((QSizeF(area.size()) * dpr).toSize());
        cache_.setDevicePixelRatio(dpr);
        cache_.fill(Qt::transparent);
        QPainter p(&cache_);
        drawDigits(p, QRectF(QPointF(0, 0), QSizeF(area.size())));
        p.end();
        cacheKey_ = std::move(key);
    }
    painter.drawPixmap(area.topLeft(), cache_);
}

void SegmentDisplay::drawDigits(QPainter& painter, const QRectF& area) const {
    if (cells_.isEmpty()) return;

    // Digits as tall as the height allows, smaller if the text is too wide; below a third of
    // that the text is cut off instead (at the left when right-aligned).
    const double byHeight = area.height() / (1 + 2 * kPadY);
    const double perPixel = naturalWidth(1.0);  // width is proportional to the digit height
    double h = std::min(byHeight, area.width() / perPixel);
    h = std::max(h, std::min(byHeight, std::max(byHeight / 3, double(kMinDigitHeight))));
    if (h < 1) return;

    const Glass glass(h, font());
    const double contentWidth = naturalWidth(h);
    const Qt::Alignment align = alignment();
    double x = area.left() + kPadX * h;
    if (align & Qt::AlignRight) {
        x += area.width() - contentWidth;
    } else if (align & Qt::AlignHCenter) {
        x += (area.width() - contentWidth) / 2;
    }
    const double contentHeight = h * (1 + 2 * kPadY);
    double top = area.top() + (area.height() - contentHeight) / 2;
    if (align & Qt::AlignTop) {
        top = area.top();
    } else if (align & Qt::AlignBottom) {
        top = area.bottom() - contentHeight;
    }
    top += kPadY * h;

    const QColor ink = palette().color(QPalette::WindowText);
    QColor ghostInk = ink;
    ghostInk.setAlphaF(ink.alphaF() * kGhostAlpha);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const double lean = kSlant * h;
    for (qsizetype index = 0; index < cells_.size(); ++index) {
        const Cell& cell = cells_.at(index);
        const bool last = index + 1 == cells_.size();
        const double cellWidth = cell.digit ? glass.w : 0;
        const double pitch = cellWidth + glass.gap;
        if (x > area.right()) break;
        if (x + pitch + lean < area.left()) {
            x += pitch;
            continue;
        }
        painter.save();
        painter.translate(x, top);
        if (cell.digit) {
            if (ghost_) {
                painter.fillPath(glass.allSegments, ghostInk);
                if (!last) {  // the rightmost digit has no point after it
                    painter.save();
                    painter.translate(glass.w, 0);
                    painter.fillPath(glass.point, ghostInk);
                    painter.restore();
                }
            }
            if (!cell.glyph.isEmpty()) {
                painter.fillPath(glass.glyph(cell.glyph), ink);
            } else {
                for (std::size_t i = 0; i < glass.segments.size(); ++i) {
                    if (cell.segments & (1 << i)) painter.fillPath(glass.segments[i], ink);
                }
            }
            painter.translate(glass.w, 0);
        }
        if (cell.point) painter.fillPath(glass.point, ink);
        if (cell.colon) painter.fillPath(glass.colon, ink);
        if (cell.degree) painter.fillPath(glass.degree, ink);
        painter.restore();
        x += pitch;
    }
}

}  // namespace panel
