// Times the pH plot of a listed data file of 1 000 000 readings: from the click on the file
// list's "pH / mV" to the finished picture (values read, window shown and painted), a repaint
// of the plot window at 1920 x 1080, and the memory the plot holds per point.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <cstdio>

#include "bench_support.h"
#include "core/record_row.h"
#include "files/data_file_loading.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/list_events.h"
#include "files/record_grid.h"
#include "plots/list_plotter.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "ui/trace_view.h"

namespace {

// Counts the paint events of a widget, to show that the timed repaints did paint.
class PaintCounter : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

constexpr int kRows = 1000000;
constexpr int kRepaints = 20;

// A week of readings every 0.6 s as a recording file would hold them: pH drifting 4..10.
QByteArray recordingFile(int lines) {
    QByteArray bytes;
    bytes.reserve(qsizetype(lines) * 48);
    for (int i = 1; i <= lines; ++i) {
        const int tenths = i / 2 % 36000;
        const double ph = 7 + 3 * ((i % 20000) / 10000.0 - 1) + (i % 7) * 0.01;
        core::RecordRow row{
            {core::recordNumberText(i), core::recordDateText(2024, 3, 5 + i / 144000),
             core::recordTimeText(tenths / 1500 % 24, tenths / 25 % 60, i % 60),
             QByteArray::number(ph, 'f', 3).toStdString(), "pH", "25.3", "'C", "ATC", ""}};
        bytes += row.recordingFileLine();
    }
    return bytes;
}

void report(const char* what, qint64 nanoseconds) {
    std::printf("%-40s %9.2f ms\n", what, double(nanoseconds) / 1e6);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    files::Files lists;
    plots::Plots plots(lists);
    plots::ListPlotter plotter(plots);
    QObject::connect(&lists.events(), &files::ListEvents::plotRequested, &plotter,
                     &plots::ListPlotter::plotRequested);

    auto* list = new files::FileList(lists);
    list->show();
    files::FillGridFromBytes(*list->grid(), recordingFile(kRows), [](long) {});
    std::printf("%-40s %9d\n", "listed rows", list->grid()->rows() - 1);
    QApplication::processEvents();

    const long long residentBefore = bench::residentBytes();
    QElapsedTimer clock;
    clock.start();
    list->findChild<QAction*>("MnupHmV")->trigger();
    plots::PlotWindow* plot = plots.findPlot(core::Quantity::Ph);
    if (!plot) return 1;
    const qint64 drawn = clock.nsecsElapsed();
    PaintCounter counter;
    plot->view()->installEventFilter(&counter);
    // Showing the window exposes it; its first paint reduces the trace to pixel columns.
    if (!QTest::qWaitForWindowExposed(plot)) return 1;
    QApplication::processEvents();
    const qint64 painted = clock.nsecsElapsed();
    report("click to values read, window shown", drawn);
    report("click to finished plot on screen", painted);
    const int firstPaints = counter.paints;

    // The window grown so that its drawing is 1920 x 1080: laid out and painted afresh, which
    // reduces the trace to the new columns; the repaints after it draw from the cache.
    clock.restart();
    plot->resize(plot->size() + (QSize(1920, 1080) - plot->view()->size()));
    QApplication::processEvents();
    report("resize to 1920 x 1080 and paint", clock.nsecsElapsed());
    std::printf("%-40s %5d x %d\n", "drawing size", plot->view()->width(), plot->view()->height());
    qint64 total = 0;
    qint64 best = -1;
    for (int i = 0; i < kRepaints; ++i) {
        clock.restart();
        plot->view()->repaint();
        const qint64 spent = clock.nsecsElapsed();
        total += spent;
        best = best < 0 ? spent : std::min(best, spent);
    }
    report("repaint at 1920 x 1080 (mean)", total / kRepaints);
    report("repaint at 1920 x 1080 (best)", best);

    std::printf("%-40s %9d on showing, %d in all\n", "paint events", firstPaints, counter.paints);
    const double points = double(plot->view()->pointCount(0));
    std::printf("%-40s %9.0f\n", "points in the plot", points);
    std::printf("%-40s %9.2f bytes\n", "held by the plot per point",
                double(plot->view()->heldBytes()) / points);
    // Includes the plot window's backing store; the allocator may also reuse memory that was
    // freed while the file was listed, so this can come out below the bytes held.
    std::printf("%-40s %9.2f bytes\n", "resident growth per point",
                double(bench::residentBytes() - residentBefore) / points);
    return 0;
}
