// The stored-data plots: opening from the Plot menus of the lists, the labels they show, the
// range dialogs' checks and redraws, and what a plot of odd input draws.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>
#include <string>

#include "app/session.h"
#include "files/data_list.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/record_grid.h"
#include "meter/readout.h"
#include "plots/list_plotter.h"
#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"
#include "plots/plots.h"
#include "support/fake_dialogs.h"
#include "ui/pc_clock.h"
#include "ui/trace_view.h"

using core::Quantity;
using plots::PlotRangeDialog;
using plots::PlotWindow;

namespace {

// `count` records of `unit`, record r taken at 10:mm:ss = r seconds past 10:00 and reading
// `value(r)`; the temperature is 25.5 'C.
core::RowTexts records(int count, const std::string& unit,
                       const std::function<std::string(int)>& value) {
    core::RowTexts rows;
    for (int r = 1; r <= count; ++r)
        rows.append(std::to_string(r) + "\t24/03/05\t" +
                    QString::asprintf("10:%02d:%02d", r / 60, r % 60).toStdString() + "\t" +
                    value(r) + "\t" + unit + "\t25.5\t'C\tATC");
    return rows;
}

core::RowTexts sameRecords(int count, const std::string& unit, const std::string& value) {
    return records(count, unit, [&](int) { return value; });
}

template <class List>
List* listOf(files::Files& lists, const core::RowTexts& rows) {
    auto* list = new List(lists);
    list->grid()->addRows(rows);
    list->show();
    return list;
}

void choose(QWidget* window, const char* item) {
    window->findChild<QAction*>(item)->trigger();
}

// The texts of the named labels, joined by "|".
QString labels(PlotWindow* window, const QList<const char*>& names) {
    QStringList texts;
    for (const char* name : names) {
        const QLabel* label = window->view()->label(name);
        texts << (label ? label->text() : QStringLiteral("<missing>"));
    }
    return texts.join('|');
}

const char* const kBoxes[] = {"TxtT1", "TxtT2", "TxtR1", "TxtR2"};  // From, To, Min., Max.

QString boxes(PlotRangeDialog* dialog) {
    QStringList texts;
    for (const char* name : kBoxes) texts << dialog->findChild<QLineEdit*>(name)->text();
    return texts.join(' ');
}

// Types "From To Min. Max." into the dialog and presses OK.
void enterAndOk(PlotRangeDialog* dialog, const QString& entry) {
    const QStringList texts = entry.split(' ');
    for (int i = 0; i < 4; ++i) dialog->findChild<QLineEdit*>(kBoxes[i])->setText(texts[i]);
    dialog->findChild<QPushButton*>("CmdOk")->click();
}

}  // namespace

class PlotsTest : public QObject {
    Q_OBJECT

  private:
    FakeDialogs* fake = nullptr;
    // A session per test: the plots start from their defaults with no window open.
    std::unique_ptr<app::Session> session;
    std::unique_ptr<plots::ListPlotter> plotter;

    plots::Plots& plots() { return session->plots(); }
    PlotWindow* findPlot(Quantity quantity) { return plots().findPlot(quantity); }
    PlotRangeDialog* findRange(Quantity quantity) { return plots().findRangeDialog(quantity); }

  private slots:
    void init() {
        session = std::make_unique<app::Session>();
        plotter = std::make_unique<plots::ListPlotter>(session->plots());
        connect(&session->files().events(), &files::ListEvents::plotRequested, plotter.get(),
                &plots::ListPlotter::plotRequested);
        fake = new FakeDialogs;
    }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        plotter.reset();
        session.reset();
        delete fake;
    }

    void listsOpenTheirPlotWithScaleTimeAndUnitLabels() {
        const QList<const char*> scale = {"LblValTop", "LblValMid", "Lbl0"};
        const QList<const char*> mirrored = {"MidLbl", "TopLbl"};
        const QList<const char*> times = {"LblT1", "LblT2", "LblT3", "LblUnit", "LblTime"};
        const struct {
            bool fromFileList;
            const char* unit;
            const char* item;
            Quantity quantity;
            const char* caption;
            const char* shown;
        } cases[] = {
            {true, "pH", "MnupHmV", Quantity::Ph, "Plot Data/File --- pH",
             "14|7|0|10:00:01|10:00:10|10:00:20|pH|TIME"},
            {false, "mV", "MnupHmV", Quantity::Mv, "Plot Data/File---mV",
             "2000|1000|0|-1000|-2000|10:00:01|10:00:10|10:00:20|mV|TIME"},
            {false, "pH", "MnuTemp", Quantity::Temperature, "Plot Data/File --- Temperature",
             "220|110|0|10:00:01|10:00:10|10:00:20|'C|TIME"},
        };
        for (const auto& c : cases) {
            const core::RowTexts rows = sameRecords(20, c.unit, "5.0");
            QWidget* list =
                c.fromFileList
                    ? static_cast<QWidget*>(listOf<files::FileList>(session->files(), rows))
                    : listOf<files::DataList>(session->files(), rows);
            choose(list, c.item);
            PlotWindow* plot = findPlot(c.quantity);
            QVERIFY(plot);
            QCOMPARE(plot->windowTitle(), QString(c.caption));
            QCOMPARE(plot->pos(), QPoint(0, 0));
            const bool mv = c.quantity == Quantity::Mv;
            QCOMPARE(labels(plot, scale + (mv ? mirrored : QList<const char*>()) + times),
                     QString(c.shown));
            QCOMPARE(plot->view()->pointCount(0), std::size_t(20));
            QCOMPARE(plots().PlotFromFileList, c.fromFileList);
            QCOMPARE(plots().PlotFromDataList, !c.fromFileList);

            // Chosen again: drawn over the open plot.
            choose(list, c.item);
            QCOMPARE(findPlot(c.quantity), plot);
            QCOMPARE(plot->view()->traceCount(), 2);
            choose(plot, "MnuPrint");
        }
        QCOMPARE(fake->printedWidgets, 3);
    }

    void pHmVOfAnyOtherUnitOrOfAnEmptyListOpensNothing() {
        choose(listOf<files::FileList>(session->files(), sameRecords(3, "ORP", "5")), "MnupHmV");
        auto* empty = listOf<files::DataList>(session->files(), {});
        choose(empty, "MnupHmV");
        QVERIFY(!findPlot(Quantity::Ph) && !findPlot(Quantity::Mv));

        // Temperature of an empty list: the window with its value labels and nothing else.
        choose(empty, "MnuTemp");
        PlotWindow* plot = findPlot(Quantity::Temperature);
        QVERIFY(plot);
        QCOMPARE(labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblUnit"}),
                 QStringLiteral("220|110|0||"));
        QCOMPARE(plot->view()->traceCount(), 0);
    }

    void rangeDialogRefusesInvalidEntriesAndKeepsThePlotClosed() {
        choose(listOf<files::FileList>(session->files(), sameRecords(20, "pH", "7.0")), "MnupHmV");
        choose(findPlot(Quantity::Ph), "MnuLimit");
        PlotRangeDialog* dialog = findRange(Quantity::Ph);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("pH Plot Range"));
        QCOMPARE(boxes(dialog), QStringLiteral("1 20 0 14"));

        const core::PlotRange before = plots().PhRange;
        // To not after From; more rows than listed; Max. above 14; Min. below 0; a part row.
        const QString invalid[] = {"5 5 0 14", "0 20 0 14", "1 20 0 14.5", "1 20 -1 14",
                                   "1.5 20 0 14"};
        for (const QString& entry : invalid) {
            enterAndOk(dialog, entry);
            QCOMPARE(fake->messages.last().text, QStringLiteral("Invalid, Try again!"));
            QVERIFY(!findPlot(Quantity::Ph));
            QCOMPARE(findRange(Quantity::Ph), dialog);
            QCOMPARE(boxes(dialog), entry);
        }
        QCOMPARE(fake->messages.size(), 5);
        QCOMPARE(plots().PhRange, before);

        // Resizing refills the boxes with the stored range.
        dialog->resize(dialog->size() + QSize(10, 10));
        QCOMPARE(boxes(dialog), QStringLiteral("1 20 0 14"));
    }

    void rangeDialogRedrawsFromTheListOfTheLatestOpening() {
        choose(listOf<files::DataList>(session->files(), sameRecords(10, "pH", "7.0")), "MnupHmV");
        // A temperature plot from the file list moves the shared source to FileList.
        choose(listOf<files::FileList>(session->files(), sameRecords(30, "pH", "7.0")), "MnuTemp");

        enterAndOk(plots().showRangeDialog(Quantity::Ph), "21 30 4 10");
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(!findRange(Quantity::Ph));
        PlotWindow* plot = findPlot(Quantity::Ph);
        QCOMPARE(labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT2", "LblT3"}),
                 QStringLiteral("10|7|4|10:00:21|10:00:25|10:00:30"));
        QCOMPARE(plot->view()->traceCount(), 1);  // afresh: the old trace is gone
        QCOMPARE(plot->view()->pointCount(0), std::size_t(10));
    }

    void oddRangesDrawWhatTheyCan() {
        choose(listOf<files::FileList>(session->files(), sameRecords(10, "mV", "-500.0")),
               "MnupHmV");
        const struct {
            const char* entry;
            const char* shown;  // value, time and unit labels
            std::size_t points;
        } cases[] = {
            {"0 9 0 2000", "2000|1000|0|    Time|10:00:04|10:00:09|mV", 10},  // header row
            {"1 10 100 0", "0|50|100|10:00:01|10:00:05|10:00:10|mV", 10},     // upside down
            {"1 10 50 50", "50|50|50|10:00:01|10:00:05|10:00:10|mV", 0},      // labels only
            {"5 12 0 2000", "2000|1000|0|10:00:05|10:00:08||", 0},            // To past the list
            {"9 14 0 2000", "2000|1000|0|10:00:09|||", 0},  // the middle row missing too
        };
        for (const auto& c : cases) {
            enterAndOk(plots().showRangeDialog(Quantity::Mv), c.entry);
            QVERIFY(fake->messages.isEmpty());
            PlotWindow* plot = findPlot(Quantity::Mv);
            QCOMPARE(labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT2", "LblT3",
                                   "LblUnit"}),
                     QString(c.shown));
            QCOMPARE(plot->view()->pointCount(0), c.points);
        }
    }

    void fitToDataLeavesOverRangeAndBlankOutAndRedrawsAsOkDoes() {
        const char* const values[] = {"6.83", "- . - - -", "7.27", ""};
        choose(listOf<files::FileList>(session->files(),
                                       records(4, "pH", [&](int r) { return values[r - 1]; })),
               "MnupHmV");
        QPointer<PlotWindow> before = findPlot(Quantity::Ph);
        choose(before, "MnuLimit");
        PlotRangeDialog* dialog = findRange(Quantity::Ph);
        QCOMPARE(boxes(dialog), QStringLiteral("1 4 0 14"));

        choose(before, "MnuFitToData");
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        PlotWindow* after = findPlot(Quantity::Ph);
        QVERIFY(!before && after);  // drawn afresh, not over the old picture
        QCOMPARE(plots().PhRange, (core::PlotRange{14, 0, 4, 7.3, 6.8, 1, 4, 4}));
        QCOMPARE(labels(after, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT3"}),
                 QStringLiteral("7.3|7.05|6.8|10:00:01|10:00:04"));
        QCOMPARE(after->view()->traceCount(), 1);
        QCOMPARE(after->view()->pointCount(0), std::size_t(4));
        // The open dialog shows the fitted range, and its OK takes it as it stands.
        QCOMPARE(boxes(dialog), QStringLiteral("1 4 6.8 7.3"));
        dialog->findChild<QPushButton*>("CmdOk")->click();
        QVERIFY(fake->messages.isEmpty());
        QCOMPARE(plots().PhRange.MaxValue, 7.3);

        // Nothing but over-range and blank records: said, and the full scale kept.
        const char* const none[] = {"- . - - -", "", "- - . - - -"};
        choose(listOf<files::DataList>(session->files(),
                                       records(3, "pH", [&](int r) { return none[r - 1]; })),
               "MnupHmV");
        const core::PlotRange full = plots().PhRange;
        QCOMPARE(full.MaxValue, 14.0);
        choose(findPlot(Quantity::Ph), "MnuFitToData");
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages.first().text.contains(QStringLiteral("no readings")));
        QCOMPARE(plots().PhRange, full);
    }

    void saveImageWritesThePlotUnderItsTitlesAsPngSvgOrPdf() {
        QTemporaryDir dir;
        auto* list = listOf<files::FileList>(session->files(), sameRecords(20, "pH", "7.0"));
        list->setWindowTitle(QStringLiteral("run.dat"));
        choose(list, "MnupHmV");
        PlotWindow* plot = findPlot(Quantity::Ph);
        QVERIFY(QTest::qWaitForWindowExposed(plot));

        // A name without a suffix takes the chosen filter's; the size offered is the window's.
        fake->saveName = dir.filePath("plot");
        fake->chosenFilter = QStringLiteral("PNG Images (*.png)");
        choose(plot, "MnuSaveImage");
        const QImage png(dir.filePath("plot.png"));
        QVERIFY(!png.isNull());
        QCOMPARE(png.size(), fake->lastSuggestedImageSize);
        QCOMPARE(png.width(), plot->view()->width());
        QVERIFY(png.height() > plot->view()->height());  // room for the title lines
        int dark = 0;
        for (int y = 0; y < png.height(); ++y)
            for (int x = 0; x < png.width(); ++x) dark += qGray(png.pixel(x, y)) < 128;
        QVERIFY(dark > png.width());  // axes, labels and titles

        // A known suffix wins over the filter; a typed size is used.
        fake->saveName = dir.filePath("plot.svg");
        fake->imageSizes.enqueue(QSize(800, 600));
        choose(plot, "MnuSaveImage");
        QSvgRenderer svg(dir.filePath("plot.svg"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.viewBox(), QRect(0, 0, 800, 600));
        QFile svgFile(dir.filePath("plot.svg"));
        QVERIFY(svgFile.open(QIODevice::ReadOnly));
        const QByteArray svgText = svgFile.readAll();
        QVERIFY(svgText.contains("Plot Data/File --- pH") && svgText.contains("run.dat"));

        fake->saveName = dir.filePath("plot.PDF");
        choose(plot, "MnuSaveImage");
        QFile pdf(fake->saveName);
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.readAll().startsWith("%PDF"));

        // A cancelled size writes nothing; a folder that does not exist is reported.
        fake->saveName = dir.filePath("cancelled.png");
        fake->imageSizes.enqueue(QSize());
        choose(plot, "MnuSaveImage");
        QVERIFY(!QFile::exists(fake->saveName));
        QVERIFY(fake->messages.isEmpty());
        fake->saveName = dir.filePath("no such folder/plot.png");
        choose(plot, "MnuSaveImage");
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages.first().text.contains(fake->saveName));

        // A plot of the meter's memory names the time of the download.
        ui::setPcClock([] { return QDateTime(QDate(2026, 12, 9), QTime(14, 2, 11)); });
        choose(listOf<files::DataList>(session->files(), sameRecords(5, "mV", "100.0")), "MnupHmV");
        ui::setPcClock(nullptr);
        fake->saveName = dir.filePath("memory.svg");
        choose(findPlot(Quantity::Mv), "MnuSaveImage");
        QFile memory(fake->saveName);
        QVERIFY(memory.open(QIODevice::ReadOnly));
        QVERIFY(memory.readAll().contains("Downloaded from the meter 2026-12-09 14:02:11"));
    }

    void closedSourceListIsReportedAndThePlotKept() {
        files::FileList* list =
            listOf<files::FileList>(session->files(), sameRecords(10, "pH", "7.0"));
        choose(list, "MnupHmV");
        PlotWindow* plot = findPlot(Quantity::Ph);
        list->close();
        enterAndOk(plots().showRangeDialog(Quantity::Ph), "2 5 0 14");
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages[0].text.contains("closed"));
        QCOMPARE(findPlot(Quantity::Ph), plot);
        QCOMPARE(plots().PhRange.LastRecord, 10);
    }

    void plotsAndRangeDialogsCloseWhenTheLinkIsLost() {
        choose(listOf<files::DataList>(session->files(), sameRecords(5, "pH", "7.0")), "MnuTemp");
        plots().showRangeDialog(Quantity::Temperature);
        emit session->readout().linkLost();
        QVERIFY(!findPlot(Quantity::Temperature));
        QVERIFY(!findRange(Quantity::Temperature));
    }

    // The session owns the plots: a closed window is gone at once, though not yet deleted, and
    // a new session starts without the old one's windows or ranges.
    void aNewSessionLeavesNoPlotRangeOrWindowBehind() {
        choose(listOf<files::FileList>(session->files(), sameRecords(5, "pH", "7.0")), "MnupHmV");
        QPointer<PlotWindow> closed = findPlot(Quantity::Ph);
        closed->close();
        QVERIFY(closed && !findPlot(Quantity::Ph));
        QVERIFY(plots().showPlot(Quantity::Ph) != closed);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        plots().PhRange.MaxValue = 9;
        const QPointer<PlotWindow> plot = findPlot(Quantity::Ph);
        const QPointer<PlotRangeDialog> dialog = plots().showRangeDialog(Quantity::Ph);
        plotter.reset();
        session = std::make_unique<app::Session>();
        QVERIFY(plot.isNull() && dialog.isNull());
        QVERIFY(!findPlot(Quantity::Ph) && !findRange(Quantity::Ph));
        QCOMPARE(plots().PhRange, core::DefaultPlotRange(Quantity::Ph, 0));
        QVERIFY(!plots().PlotFromFileList);
    }

    void aLargeListIsPlottedPointForPoint() {
        constexpr int kRows = 300000;
        // 7 throughout (y 2500) but the last reading, 10.5 (y 1750).
        choose(listOf<files::FileList>(
                   session->files(),
                   records(kRows, "pH", [](int r) { return r == kRows ? "10.5" : "7.0"; })),
               "MnupHmV");
        ui::TraceView* view = findPlot(Quantity::Ph)->view();
        QCOMPARE(view->pointCount(0), std::size_t(kRows));
        QVERIFY(view->heldBytes() < std::size_t(kRows) * 16);

        // The last column rises from the others' height to the last reading's, and no further.
        QImage image(view->size(), QImage::Format_RGB32);
        view->render(&image);
        const auto inked = [&](double yTwips) {
            const QPoint at = view->toWidget(QPointF(5000, yTwips)).toPoint();
            return image.pixel(at - QPoint(1, 0)) != qRgb(255, 255, 255) ||
                   image.pixel(at) != qRgb(255, 255, 255);
        };
        QVERIFY(inked(1760) && inked(2100) && inked(2400));
        QVERIFY(!inked(1600) && !inked(1300));
    }
};

QTEST_MAIN(PlotsTest)
#include "test_plots.moc"
