// Times the drawing widget of the graphs and plots with a 1 000 000-point trace at 1920 x 1080:
// the first paint (which reduces the trace to pixel columns), a repaint from the cache, one
// appended point, printing at a higher resolution, and the full polyline for comparison.
// Also prints the memory held per point.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "bench_support.h"
#include "core/column_reduce.h"
#include "ui/trace_view.h"

namespace {

constexpr std::size_t kPoints = 1000000;
constexpr int kRepaints = 20;

std::vector<float> noisyTrace() {
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0, 30);
    std::vector<float> y(kPoints);
    float walk = 2500;
    for (float& v : y) {
        walk = std::clamp(walk + noise(random) / 10, 1100.0f, 3900.0f);
        v = walk + noise(random);
    }
    return y;
}

void report(const char* what, qint64 nanoseconds) {
    std::printf("%-36s %9.2f ms\n", what, double(nanoseconds) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    ui::TraceView view(QSizeF(6225, 4680));
    view.addLine(QPointF(1000, 1000), QPointF(5000, 1000), Qt::red, Qt::DashLine);
    view.addLine(QPointF(1000, 4000), QPointF(5000, 4000), Qt::black, Qt::SolidLine, 2);
    view.addLabel("LblValTop", QPointF(915, 960), ui::TraceView::Anchor::RightTop, "14");
    view.resize(1920, 1080);
    view.show();
    QApplication::processEvents();

    const long long residentBefore = bench::residentBytes();
    std::vector<float> y = noisyTrace();
    const std::vector<float> copy = y;  // for the full polyline below
    const int trace = view.addTrace(1000, 4000.0 / (kPoints - 1));

    QElapsedTimer clock;
    clock.start();
    const auto spans = core::ReduceToColumns(y.data(), kPoints, 300.0, 1200.0 / kPoints);
    report("column reduction alone", clock.nsecsElapsed());
    std::printf("%-36s %9zu\n", "columns", spans.size());

    clock.restart();
    view.setPoints(trace, std::move(y));
    report("set 1 000 000 points", clock.nsecsElapsed());

    clock.restart();
    view.repaint();
    report("first paint (reduces)", clock.nsecsElapsed());

    qint64 best = -1;
    qint64 total = 0;
    for (int i = 0; i < kRepaints; ++i) {
        clock.restart();
        view.repaint();
        const qint64 spent = clock.nsecsElapsed();
        total += spent;
        best = best < 0 ? spent : std::min(best, spent);
    }
    report("repaint from cache (mean)", total / kRepaints);
    report("repaint from cache (best)", best);

    const long long residentAfterPaint = bench::residentBytes();
    const double heldSetAtOnce = double(view.heldBytes()) / double(kPoints);

    // Appending one point repaints only its column strip. The first append also grows the
    // point vector (one copy of every point), so it is shown apart.
    for (int i = 0; i < 3; ++i) {
        clock.restart();
        view.appendPoint(trace, 2500);
        const qint64 append = clock.nsecsElapsed();
        clock.restart();
        QApplication::processEvents();
        const qint64 repaint = clock.nsecsElapsed();
        std::printf("%-36s %9.2f ms + %.2f ms repaint\n",
                    i == 0 ? "append a point (vector grows)" : "append a point", append / 1e6,
                    repaint / 1e6);
    }

    QImage page(3840, 2880, QImage::Format_RGB32);
    page.fill(Qt::white);
    clock.restart();
    {
        QPainter painter(&page);
        view.renderTo(painter, QRectF(page.rect()));
    }
    report("print at 3840 x 2880", clock.nsecsElapsed());

    QImage screen(1920, 1080, QImage::Format_RGB32);
    screen.fill(Qt::white);
    clock.restart();
    {
        QPainter painter(&screen);
        QPolygonF polyline;
        polyline.reserve(qsizetype(kPoints));
        const double step = 4000.0 / (kPoints - 1);
        for (std::size_t i = 0; i < kPoints; ++i)
            polyline << view.toWidget(QPointF(1000 + double(i) * step, copy[i]));
        painter.drawPolyline(polyline);
    }
    report("full polyline, for comparison", clock.nsecsElapsed());

    std::printf("%-36s %9.2f bytes\n", "held per point (set at once)", heldSetAtOnce);
    std::printf("%-36s %9.2f bytes\n", "held per point (after appending)",
                double(view.heldBytes()) / double(view.pointCount(trace)));
    // Less the copy kept for the comparison; includes the window's backing store.
    std::printf("%-36s %9.2f bytes\n", "resident growth per point",
                double(residentAfterPaint - residentBefore) / double(kPoints) - sizeof(float));
    return 0;
}
