// Seven-segment display field and panel icons: what they paint, and that no text breaks them.
// Also leaves segment_display_sheet.png in the temporary directory for a visual check.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QtTest>

#include "panel/panel_icons.h"
#include "panel/segment_display.h"

using panel::PanelIcon;
using panel::SegmentDisplay;

namespace {

const QStringList kMeterTexts = {"7.012", "-123.4", "14.000", "- . - - -", "- - - - . -",
                                 "12-5",  "09:30",  "INTV",   "25.0",      ".500",
                                 "100.0", "  1 2",  "EE",     "'C",        "9999"};

const QList<PanelIcon> kIcons = {
    PanelIcon::Battery,  PanelIcon::Adjust,  PanelIcon::Test,       PanelIcon::Date,
    PanelIcon::Link232,  PanelIcon::Pole,    PanelIcon::KeyCelsius, PanelIcon::KeyFahrenheit,
    PanelIcon::KeyEnter, PanelIcon::KeyLeft, PanelIcon::KeyRight,   PanelIcon::KeyUp,
    PanelIcon::KeyDown};

// The display's own painting on transparent glass (no window background).
QImage paint(SegmentDisplay& display) {
    QImage image(display.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    display.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

struct Ink {
    int pixels = 0;
    QRect box;
};

// Pixels that are clearly inked (a faint ghost segment is not).
Ink inkOf(const QImage& image) {
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(image.pixel(x, y)) > 128) {
                ++ink.pixels;
                ink.box |= QRect(x, y, 1, 1);
            }
        }
    }
    return ink;
}

int anyPaint(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += qAlpha(image.pixel(x, y)) > 0;
    }
    return count;
}

}  // namespace

class TestSegmentDisplay : public QObject {
    Q_OBJECT

  private slots:
    void meterTextsPaintAndRoundTrip();
    void blankTextsPaintNothing();
    void pointAndColonSitBetweenCells();
    void dashIsTheMiddleSegment();
    void alignmentPlacesDigits();
    void digitsFollowHeightAndPalette();
    void changesRepaint();
    void oddTextDoesNotBreak();
    void iconsHaveRequestedSize();
    void writeSheet();
};

void TestSegmentDisplay::meterTextsPaintAndRoundTrip() {
    SegmentDisplay display;
    display.resize(220, 48);
    for (const QString& text : kMeterTexts) {
        display.setText(text);
        QCOMPARE(display.text(), text);
        QVERIFY2(inkOf(paint(display)).pixels > 20, qPrintable(text));
    }
    // Letters without a segment form still show, as font glyphs.
    display.setText("mK");
    QVERIFY(inkOf(paint(display)).pixels > 20);
}

void TestSegmentDisplay::blankTextsPaintNothing() {
    SegmentDisplay display;
    display.resize(220, 48);
    for (const QString& text : {QString(), QString("    "), QString("\t\n")}) {
        display.setText(text);
        QCOMPARE(anyPaint(paint(display)), 0);
    }
    // Ghost segments are faint: visible, but never as dark as a lit segment.
    display.setGhostSegments(true);
    display.setText("    ");
    const QImage ghost = paint(display);
    QVERIFY(anyPaint(ghost) > 0);
    QCOMPARE(inkOf(ghost).pixels, 0);
}

void TestSegmentDisplay::pointAndColonSitBetweenCells() {
    SegmentDisplay display;
    display.setDigitHeight(40);
    display.setText("1  2");
    const int withCell = display.sizeHint().width();
    display.setText("1.2");
    QVERIFY(display.sizeHint().width() < withCell);
    display.setText("1:2");
    QVERIFY(display.sizeHint().width() < withCell);
    // The point is drawn, low in the field.
    display.resize(display.sizeHint());
    display.setText("1  2");
    const int without = inkOf(paint(display)).pixels;
    display.setText("1 .2");
    QVERIFY(inkOf(paint(display)).pixels > without);
    display.setText(".");
    const Ink point = inkOf(paint(display));
    QVERIFY(point.pixels > 0);
    QVERIFY(point.box.top() > display.height() * 2 / 3);
}

void TestSegmentDisplay::dashIsTheMiddleSegment() {
    SegmentDisplay display("-");
    display.resize(60, 60);
    const Ink dash = inkOf(paint(display));
    QVERIFY(dash.pixels > 0);
    QVERIFY(dash.box.top() > 20 && dash.box.bottom() < 40);
    display.setText("8");
    const Ink eight = inkOf(paint(display));
    display.setText("1");
    QVERIFY(eight.pixels > 2 * inkOf(paint(display)).pixels);
}

void TestSegmentDisplay::alignmentPlacesDigits() {
    SegmentDisplay display("12");
    display.resize(300, 40);
    QVERIFY(inkOf(paint(display)).box.left() > 150);  // right-aligned like a meter
    display.setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QVERIFY(inkOf(paint(display)).box.right() < 150);
}

void TestSegmentDisplay::digitsFollowHeightAndPalette() {
    SegmentDisplay display("8");
    display.setDigitHeight(30);
    const QSize hint30 = display.sizeHint();
    QVERIFY(hint30.height() >= 30 && hint30.height() < 45);
    display.setDigitHeight(60);
    QVERIFY(qAbs(display.sizeHint().height() - 2 * hint30.height()) <= 2);
    QVERIFY(qAbs(display.sizeHint().width() - 2 * hint30.width()) <= 2);
    display.setDigitHeight(0);  // back to the font
    QFont font = display.font();
    font.setPixelSize(30);
    display.setFont(font);
    QCOMPARE(display.sizeHint(), hint30);

    display.resize(100, 40);
    const int small = inkOf(paint(display)).box.height();
    display.resize(100, 80);
    const int large = inkOf(paint(display)).box.height();
    QVERIFY(large > small * 17 / 10);

    // Too wide a text shrinks to fit instead of being cut off.
    display.setText("888888");
    display.resize(140, 80);
    const QRect box = inkOf(paint(display)).box;
    QVERIFY(box.left() > 0 && box.right() < 139);

    QPalette palette = display.palette();
    palette.setColor(QPalette::WindowText, Qt::red);
    display.setPalette(palette);
    const QImage image = paint(display);
    const QPoint centre = inkOf(image).box.center();
    bool red = false;
    for (int x = 0; x < image.width() && !red; ++x) {
        const QRgb rgb = image.pixel(x, centre.y());
        red = qAlpha(rgb) == 255 && qRed(rgb) == 255 && qGreen(rgb) == 0;
    }
    QVERIFY(red);
}

void TestSegmentDisplay::changesRepaint() {
    SegmentDisplay display("1");
    display.resize(80, 40);
    const QImage one = paint(display);
    display.setText("7");
    QVERIFY(paint(display) != one);
    display.setText("1");
    QCOMPARE(paint(display), one);
    display.resize(90, 40);
    QCOMPARE(paint(display).size(), QSize(90, 40));
    display.setGhostSegments(true);
    QVERIFY(anyPaint(paint(display)) > anyPaint(one));
}

void TestSegmentDisplay::oddTextDoesNotBreak() {
    SegmentDisplay display;
    display.resize(200, 40);
    const QString odd[] = {
        QString(200000, QChar('8')),
        QString(5000, QChar('.')) + QString(5000, QChar(':')),
        QString::fromUtf8("\x01\x02\x7f\xff\xfe", 5),
        QString(QChar(0xD800)) + "1" + QChar(0xDC00),  // lone surrogates
        QString::fromUtf8("e\xCC\x81 \xE2\x80\x8B \xF0\x9F\x94\xA5 \xD7\xA9\xD7\x9C \xE4\xB8\xAD"),
        QString("<b>12</b>&amp;"),
        QString(QChar(0)),
    };
    for (const QString& text : odd) {
        display.setText(text);
        QCOMPARE(display.text(), text);
        const QSize hint = display.sizeHint();
        QVERIFY(hint.width() > 0 && hint.height() > 0);
        paint(display);
        (void)display.grab();
    }
    // A long reading still shows its last digits.
    display.setText(QString(200000, QChar('8')));
    QVERIFY(inkOf(paint(display)).box.right() > 150);
    display.resize(0, 0);
    (void)display.grab();
}

void TestSegmentDisplay::iconsHaveRequestedSize() {
    for (PanelIcon which : kIcons) {
        for (int size : {16, 24, 32, 48, 100}) {
            const QImage image = panel::iconPixmap(which, size, Qt::black).toImage();
            QCOMPARE(image.size(), QSize(size, size));
            const int inked = anyPaint(image);
            QVERIFY(inked > size * size / 20);
            QVERIFY(inked < size * size);  // transparent background around the figure
        }
        QVERIFY(!panel::keyIcon(which).pixmap(24).isNull());
    }
    QVERIFY(panel::iconPixmap(PanelIcon::Battery, 0, Qt::black).isNull());
}

void TestSegmentDisplay::writeSheet() {
    const QColor glass(0xb8, 0xc4, 0xa8);
    const int rowHeight = 56;
    const int columnWidth = 340;
    const int iconRow = rowHeight * ((kMeterTexts.size() + 1) / 2) + 10;
    QImage sheet(2 * columnWidth + 20, iconRow + 350, QImage::Format_ARGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.fillRect(QRect(0, 0, sheet.width(), iconRow), glass);

    SegmentDisplay display;
    QPalette palette = display.palette();
    palette.setColor(QPalette::WindowText, QColor(0x1c, 0x22, 0x1c));
    display.setPalette(palette);
    display.resize(columnWidth - 100, rowHeight - 8);
    for (int i = 0; i < kMeterTexts.size(); ++i) {
        display.setText(kMeterTexts[i]);
        display.setGhostSegments(i % 4 == 3);
        const QPoint at(10 + (i % 2) * columnWidth, 4 + (i / 2) * rowHeight);
        painter.setPen(Qt::darkGray);
        painter.drawText(QRect(at, QSize(90, rowHeight - 8)), Qt::AlignVCenter, kMeterTexts[i]);
        display.render(&painter, at + QPoint(90, 0), QRegion(), QWidget::DrawChildren);
    }
    int x = 10;
    for (PanelIcon which : kIcons) {
        int y = iconRow;
        for (int size : {16, 24, 32, 48}) {
            painter.drawPixmap(x, y, panel::iconPixmap(which, size, Qt::black));
            y += size + 6;
        }
        x += 52;
    }
    // One large field to judge the segment shapes, and small ones for legibility.
    const int bigRow = iconRow + 150;
    painter.fillRect(QRect(0, bigRow, sheet.width(), 200), glass);
    display.setGhostSegments(true);
    display.setText("-8.8:4'");
    display.resize(sheet.width() - 20, 130);
    display.render(&painter, QPoint(10, bigRow + 5), QRegion(), QWidget::DrawChildren);
    display.setGhostSegments(false);
    display.resize(110, 20);
    const QStringList small = {"7.012", "-123.4", "14.000", "Hold", "mK%", "rS-2"};
    for (int i = 0; i < small.size(); ++i) {
        display.setText(small[i]);
        display.render(&painter, QPoint(i * 115, bigRow + 150), QRegion(), QWidget::DrawChildren);
    }
    painter.end();
    const QString path = QDir(QDir::tempPath()).filePath("segment_display_sheet.png");
    QVERIFY(sheet.save(path));
    qInfo("sheet: %s", qPrintable(path));
}

QTEST_MAIN(TestSegmentDisplay)
#include "test_segment_display.moc"
