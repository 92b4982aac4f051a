#include "panel/panel_icons.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <QTransform>

#include <algorithm>

namespace panel {

namespace {

constexpr int kMaxSize = 1024;

// Drawing happens on a 100 x 100 grid scaled to the pixmap; line widths are in grid units but
// never thinner than one device pixel, so the 16 px icons stay legible.
class Ink {
  public:
    Ink(QPainter& painter, int size, const QColor& color)
        : p_(painter), color_(color), onePixel_(100.0 / size) {}

    QPen pen(double width, Qt::PenCapStyle cap = Qt::RoundCap,
             Qt::PenJoinStyle join = Qt::RoundJoin) const {
        return QPen(color_, std::max(width, onePixel_), Qt::SolidLine, cap, join);
    }
    void stroke(const QPainterPath& path, double width, Qt::PenCapStyle cap = Qt::RoundCap,
                Qt::PenJoinStyle join = Qt::RoundJoin) {
        p_.strokePath(path, pen(width, cap, join));
    }
    void fill(const QPainterPath& path) { p_.fillPath(path, color_); }
    // A filled shape with softened corners.
    void fillRounded(const QPolygonF& polygon, double rounding) {
        QPainterPath path;
        path.addPolygon(polygon);
        path.closeSubpath();
        p_.setPen(pen(rounding));
        p_.setBrush(color_);
        p_.drawPath(path);
        p_.setPen(Qt::NoPen);
        p_.setBrush(Qt::NoBrush);
    }

  private:
    QPainter& p_;
    QColor color_;
    double onePixel_;
};

QPainterPath roundedRect(double x, double y, double w, double h, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(double cx, double cy, double r) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, cy), r, r);
    return path;
}

void drawBattery(Ink& ink) {
    ink.stroke(roundedRect(7, 29, 78, 42, 6), 7);
    ink.fill(roundedRect(86, 41, 9, 18, 2));
    ink.fill(roundedRect(16, 38, 17, 24, 2));  // low charge
}

void drawAdjust(Ink& ink) {
    // Open-ended wrench lying from upper left to lower right.
    QTransform axis;
    axis.translate(31, 31);
    axis.rotate(45);
    QPainterPath head = circle(0, 0, 23);
    QPainterPath handle = roundedRect(0, -9.5, 80, 19, 9.5);
    QPainterPath jaw;
    jaw.addRect(QRectF(-40, -8.5, 33, 17));
    QPainterPath wrench = head.united(handle).subtracted(jaw);
    wrench = wrench.subtracted(circle(64, 0, 4.5));  // hanging hole
    ink.fill(axis.map(wrench));
}

void drawTest(Ink& ink) {
    QPainterPath glass;
    glass.moveTo(14, 10);
    glass.lineTo(22, 16);
    glass.lineTo(22, 78);
    glass.quadTo(22, 90, 34, 90);
    glass.lineTo(66, 90);
    glass.quadTo(78, 90, 78, 78);
    glass.lineTo(78, 12);
    ink.stroke(glass, 7);
    QPainterPath solution;
    solution.moveTo(29, 56);
    solution.lineTo(71, 56);
    solution.lineTo(71, 76);
    solution.quadTo(71, 83, 64, 83);
    solution.lineTo(36, 83);
    solution.quadTo(29, 83, 29, 76);
    solution.closeSubpath();
    ink.fill(solution);
    QPainterPath check;
    check.moveTo(36, 32);
    check.lineTo(46, 42);
    check.lineTo(64, 20);
    ink.stroke(check, 8);
}

void drawDate(Ink& ink) {
    ink.stroke(roundedRect(12, 20, 76, 70, 7), 7);
    ink.fill(roundedRect(12, 20, 76, 20, 7).united(roundedRect(12, 30, 76, 10, 0)));
    QPainterPath rings;
    rings.moveTo(32, 8);
    rings.lineTo(32, 26);
    rings.moveTo(68, 8);
    rings.lineTo(68, 26);
    ink.stroke(rings, 9);
    for (int row = 0; row < 2; ++row) {
        for (int col = 0; col < 3; ++col) {
            ink.fill(roundedRect(24 + col * 20, 50 + row * 18, 12, 11, 1.5));
        }
    }
}

void drawLink232(Ink& ink) {
    QPolygonF shell;
    shell << QPointF(7, 26) << QPointF(93, 26) << QPointF(81, 74) << QPointF(19, 74);
    QPainterPath outline;
    outline.addPolygon(shell);
    outline.closeSubpath();
    ink.stroke(outline, 7);
    for (int i = 0; i < 5; ++i) ink.fill(circle(24 + i * 13, 42, 5));
    for (int i = 0; i < 4; ++i) ink.fill(circle(30.5 + i * 13, 58, 5));
}

void drawPole(Ink& ink) {
    // Upright electrode: cable, cap, glass shaft and the sensing bulb at the tip.
    QPainterPath cable;
    cable.moveTo(50, 2);
    cable.lineTo(50, 10);
    ink.stroke(cable, 6);
    ink.fill(roundedRect(38, 8, 24, 16, 4));
    ink.stroke(roundedRect(42.5, 24, 15, 50, 3), 6);
    ink.fill(circle(50, 83, 12));
}

// The small ring of a degree sign, for the temperature keys.
void drawDegree(Ink& ink) {
    ink.stroke(circle(20, 26, 10), 8);
}

void drawCelsius(Ink& ink) {
    drawDegree(ink);
    QPainterPath c;
    c.arcMoveTo(QRectF(38, 18, 52, 66), 50);
    c.arcTo(QRectF(38, 18, 52, 66), 50, 260);
    ink.stroke(c, 12);
}

void drawFahrenheit(Ink& ink) {
    drawDegree(ink);
    QPainterPath f;
    f.moveTo(84, 22);
    f.lineTo(48, 22);
    f.lineTo(48, 84);
    f.moveTo(48, 51);
    f.lineTo(76, 51);
    ink.stroke(f, 12, Qt::FlatCap, Qt::MiterJoin);
}

void drawEnter(Ink& ink) {
    QPainterPath bend;
    bend.moveTo(80, 14);
    bend.lineTo(80, 60);
    bend.lineTo(34, 60);
    ink.stroke(bend, 11, Qt::FlatCap, Qt::MiterJoin);
    QPolygonF head;
    head << QPointF(12, 60) << QPointF(38, 38) << QPointF(38, 82);
    ink.fillRounded(head, 5);
}

void drawArrow(Ink& ink, int quarterTurns) {
    QPolygonF up;
    up << QPointF(50, 18) << QPointF(84, 76) << QPointF(16, 76);
    QTransform turn;
    turn.translate(50, 50);
    turn.rotate(90.0 * quarterTurns);
    turn.translate(-50, -50);
    ink.fillRounded(turn.map(up), 7);
}

}  // namespace

QPixmap iconPixmap(PanelIcon which, int size, const QColor& ink) {
    if (size <= 0) return {};
    size = std::min(size, kMaxSize);
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    painter.setPen(Qt::NoPen);
    Ink pen(painter, size, ink);
    switch (which) {
        case PanelIcon::Battery:
            drawBattery(pen);
            break;
        case PanelIcon::Adjust:
            drawAdjust(pen);
            break;
        case PanelIcon::Test:
            drawTest(pen);
            break;
        case PanelIcon::Date:
            drawDate(pen);
            break;
        case PanelIcon::Link232:
            drawLink232(pen);
            break;
        case PanelIcon::Pole:
            drawPole(pen);
            break;
        case PanelIcon::KeyCelsius:
            drawCelsius(pen);
            break;
        case PanelIcon::KeyFahrenheit:
            drawFahrenheit(pen);
            break;
        case PanelIcon::KeyEnter:
            drawEnter(pen);
            break;
        case PanelIcon::KeyUp:
            drawArrow(pen, 0);
            break;
        case PanelIcon::KeyRight:
            drawArrow(pen, 1);
            break;
        case PanelIcon::KeyDown:
            drawArrow(pen, 2);
            break;
        case PanelIcon::KeyLeft:
            drawArrow(pen, 3);
            break;
    }
    return pixmap;
}

QIcon keyIcon(PanelIcon which) {
    const QPalette palette = QGuiApplication::palette();
    const QColor normal = palette.color(QPalette::Active, QPalette::ButtonText);
    const QColor disabled = palette.color(QPalette::Disabled, QPalette::ButtonText);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64}) {
        icon.addPixmap(iconPixmap(which, size, normal), QIcon::Normal);
        icon.addPixmap(iconPixmap(which, size, disabled), QIcon::Disabled);
    }
    return icon;
}

}  // namespace panel
