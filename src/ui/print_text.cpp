#include "ui/print_text.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QWidget>

#include "ui/trace_view.h"

namespace ui {

bool printLinesOn(QPrinter& printer, const QStringList& lines) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // Fixed pitch, so that the fields of a listing line up in columns on paper.
    painter.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics(painter.font());
    const int lineHeight = metrics.lineSpacing();
    const int pageHeight = printer.pageLayout().paintRectPixels(printer.resolution()).height();
    int y = metrics.ascent();
    for (const QString& line : lines) {
        if (y > pageHeight && y > metrics.ascent()) {
            printer.newPage();
            y = metrics.ascent();
        }
        painter.drawText(0, y, line);
        y += lineHeight;
    }
    return painter.end();
}

bool printWidgetOn(QPrinter& printer, QWidget* widget) {
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    // A graph or plot is drawn afresh at the printer's resolution, as shown on the screen.
    if (auto* view = qobject_cast<TraceView*>(widget)) {
        const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
        view->renderTo(painter, QRectF(QPointF(0, 0), page.size()));
        return painter.end();
    }
    const QPixmap image = widget->grab();
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QSize size = image.size().scaled(page.size(), Qt::KeepAspectRatio);
    painter.drawPixmap(QRect(QPoint(0, 0), size), image);
    return painter.end();
}

}  // namespace ui
