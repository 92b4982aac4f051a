// The drawing widget of the live graphs and the stored-data plots: a reduced trace looks like
// the full polyline, traces are kept through resizing and printing, and labels follow the
// drawing without being clipped.
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <random>
#include <vector>

#include "ui/trace_view.h"

using ui::TraceView;

namespace {

const QSizeF kDesign(6225, 4680);
const QRgb kWhite = qRgb(255, 255, 255);

QImage shown(TraceView& view) {
    QImage image(view.size(), QImage::Format_RGB32);
    view.render(&image);
    return image;
}

QImage printed(TraceView& view, QSize page) {
    QImage image(page, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    view.renderTo(painter, QRectF(QPointF(0, 0), page));
    return image;
}

bool inked(const QImage& image, int x, int y) {
    return image.rect().contains(x, y) && image.pixel(x, y) != kWhite;
}

// Whether a pixel within `radius` of `at` is drawn.
bool inkedNear(const QImage& image, QPointF at, int radius = 2) {
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (inked(image, qRound(at.x()) + dx, qRound(at.y()) + dy)) return true;
    return false;
}

// Drawn pixels of `a` with no drawn pixel of `b` within one pixel.
int strayPixels(const QImage& a, const QImage& b) {
    int stray = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            stray += inked(a, x, y) && !inkedNear(b, QPoint(x, y), 1);
    return stray;
}

}  // namespace

class TestTraceView : public QObject {
    Q_OBJECT

  private slots:
    void reducedPictureMatchesFullPolyline_data();
    void reducedPictureMatchesFullPolyline();
    void tracesAreKeptThroughResizeAndPrint();
    void labelsFollowTheDrawingUnclipped();
};

void TestTraceView::reducedPictureMatchesFullPolyline_data() {
    QTest::addColumn<QList<float>>("y");
    QTest::addColumn<int>("drawn");  // points before the missing value

    std::mt19937 random(3);
    std::normal_distribution<float> noise(0, 40);
    QList<float> walk(200000);
    float level = 2500;
    for (qsizetype i = 0; i < walk.size(); ++i) {
        level = std::clamp(level + noise(random) / 8, 1200.0f, 3800.0f);
        walk[i] = i % 9973 == 0 ? 1000 : level + noise(random);
    }
    walk[190000] = NAN;
    QTest::newRow("noisy walk, hundreds of points a column") << walk << 190000;

    QList<float> zigzag(350);
    for (qsizetype i = 0; i < zigzag.size(); ++i)
        zigzag[i] = (i % 2 ? 1500 : 3500) + noise(random) * 10;
    QTest::newRow("zigzag, points under a pixel apart") << zigzag << 350;
}

void TestTraceView::reducedPictureMatchesFullPolyline() {
    QFETCH(QList<float>, y);
    QFETCH(int, drawn);
    const std::size_t points = y.size();
    const double step = 4000.0 / (points - 1);

    TraceView view(kDesign);
    view.resize(view.sizeHint());  // one-pixel pens
    const int trace = view.addTrace(1000, step);
    // Half at once, the rest point by point after a paint: the cached reduction must grow.
    view.setPoints(trace, std::vector<float>(y.begin(), y.begin() + points / 2));
    shown(view);
    for (std::size_t i = points / 2; i < points; ++i) view.appendPoint(trace, y[i]);
    QCOMPARE(view.pointCount(trace), points);
    const QImage reduced = shown(view);
    QVERIFY(view.heldBytes() <= 8 * points + 64 * 1024);

    QImage full(view.size(), QImage::Format_RGB32);
    full.fill(kWhite);
    QPainter painter(&full);
    QPolygonF polyline;
    for (int i = 0; i < drawn; ++i) polyline << view.toWidget(QPointF(1000 + i * step, y[i]));
    painter.drawPolyline(polyline);
    painter.end();

    // The same picture within one pixel both ways: nothing missing, nothing after the cut.
    QCOMPARE(strayPixels(reduced, full), 0);
    QCOMPARE(strayPixels(full, reduced), 0);
}

void TestTraceView::tracesAreKeptThroughResizeAndPrint() {
    TraceView view(kDesign);
    view.addLine(QPointF(1000, 1000), QPointF(5000, 1000), Qt::red, Qt::DashLine, 2);
    view.resize(view.sizeHint());
    view.show();
    const int trace = view.addTrace(1000, 4000.0 / 9);
    for (float y : {2500, 1000, 4000, 2500, 3000, 2000, 3500, 1500, 2500, 2600})
        view.appendPoint(trace, y);
    QCOMPARE(view.pointCount(trace), 10u);
    const QPointF firstSegment(1000 + 4000.0 / 18, 1750);

    for (const QSize size : {view.sizeHint(), view.sizeHint() * 2, QSize(300, 900)}) {
        view.resize(size);
        QVERIFY(inkedNear(shown(view), view.toWidget(firstSegment)));
    }
    // Taller than the design's aspect: the drawing keeps its shape at the top left.
    QCOMPARE(view.toWidget(QPointF(6225, 4680)), QPointF(300, 300 * 4680 / 6225.0));

    // Printed at three times the default size, at that resolution.
    const QSize page = view.sizeHint() * 3;
    const QImage paper = printed(view, page);
    const double scale = page.width() / kDesign.width();
    QVERIFY(inkedNear(paper, firstSegment * scale));
    QCOMPARE(paper.pixel(QPointF(1000 * scale + 3, 1000 * scale).toPoint()), qRgb(255, 0, 0));
    QCOMPARE(paper.pixel(QPointF(5500 * scale, 4500 * scale).toPoint()), kWhite);

    view.clearTraces();
    QCOMPARE(view.traceCount(), 0);
    QVERIFY(!inkedNear(shown(view), view.toWidget(firstSegment)));
}

void TestTraceView::labelsFollowTheDrawingUnclipped() {
    TraceView view(kDesign);
    view.resize(view.sizeHint());
    view.show();
    QLabel* top = view.addLabel("LblValTop", {915, 960}, TraceView::Anchor::RightTop, "14");
    QLabel* time = view.addLabel("LblT2", {2970, 4080}, TraceView::Anchor::CentreTop, "12:34:56");
    QLabel* unit =
        view.addLabel("LblUnit", {825, 480}, TraceView::Anchor::LeftTop, "pH", "Times New Roman");
    QCOMPARE(view.label("LblValTop"), top);
    QCOMPARE(top->accessibleDescription(), QString("LblValTop"));
    const int defaultPoints = top->font().pointSize();

    const auto checkPlaced = [&] {
        for (QLabel* label : {top, time, unit}) {
            QVERIFY2(view.rect().contains(label->geometry()), qPrintable(label->objectName()));
            QVERIFY(label->width() >= label->sizeHint().width());
        }
        QVERIFY(std::abs(top->geometry().right() + 1 - view.toWidget({915, 0}).x()) <= 1);
        QVERIFY(std::abs(time->geometry().center().x() - view.toWidget({2970, 0}).x()) <= 1);
        QVERIFY((unit->pos() - view.toWidget({825, 480})).manhattanLength() <= 2);
    };
    checkPlaced();

    // A longer text set on the label itself widens it to the left of its anchor.
    const int right = top->geometry().right();
    top->setText("2000.25");
    QTRY_VERIFY(top->width() >= top->sizeHint().width());
    QCOMPARE(top->geometry().right(), right);

    view.resize(view.sizeHint() * 2);
    QVERIFY(top->font().pointSize() >= 2 * defaultPoints - 1);
    checkPlaced();
    view.resize(view.sizeHint() / 2);
    QCOMPARE(top->font().pointSize(), defaultPoints);

    // Printed: the labels lie where the drawing has them, at the larger scale.
    view.resize(view.sizeHint());
    const QRect area(top->geometry().topLeft() * 4, top->geometry().size() * 4);
    QVERIFY(inkedNear(printed(view, view.sizeHint() * 4), area.center(), area.height() / 3));
}

QTEST_MAIN(TestTraceView)
#include "test_trace_view.moc"
