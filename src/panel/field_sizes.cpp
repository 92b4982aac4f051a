#include "panel/field_sizes.h"

#include <QFontMetrics>
#include <QLabel>

#include "panel/segment_display.h"

namespace panel {

QStringList widestUpperValues() {
    return {"9999", "-1999.9", "- - - - . -", "- - . - - -", "14.000", "INTV", "12-31"};
}
QStringList widestLowerValues() {
    return {"199.99", "100.0", "23:59", "01:30"};
}
QStringList widestSmallValues() {
    return {"99"};
}
QStringList mainUnits() {
    return {"pH", "mV"};
}
QStringList temperatureUnits() {
    return {"'C", "'F"};
}
QStringList compensationTexts() {
    return {"ATC", "MTC"};
}

QSize sizeNeededFor(const QLabel* field, const QString& text) {
    if (auto* segments = qobject_cast<const SegmentDisplay*>(field)) {
        SegmentDisplay probe(text);
        probe.setFont(segments->font());
        probe.setDigitHeight(segments->digitHeight());
        probe.setContentsMargins(segments->contentsMargins());
        probe.setMargin(segments->margin());
        return probe.sizeHint();
    }
    const QMargins m = field->contentsMargins() + field->margin();
    const QFontMetrics metrics(field->font());
    return QSize(metrics.horizontalAdvance(text) + m.left() + m.right(),
                 metrics.height() + m.top() + m.bottom());
}

void reserveRoomFor(QLabel* field, const QStringList& texts) {
    QSize room = field->minimumSize();
    for (const QString& text : texts) room = room.expandedTo(sizeNeededFor(field, text));
    field->setMinimumSize(room);
}

}  // namespace panel
