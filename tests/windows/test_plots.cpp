// The stored-data plots: opening from the Plot menus of the lists, the labels they show, the
// range dialogs' checks and redraws, and what a plot of odd input draws.
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <string>

#include "app/program_state.h"
#include "core/record_row.h"
#include "files/data_list.h"
#include "files/file_list.h"
#include "files/list_events.h"
#include "files/record_grid.h"
#include "link/link_events.h"
#include "plots/list_plotter.h"
#include "plots/plot_range_dialog.h"
#include "plots/plot_windows.h"
#include "plots/plots_state.h"
#include "support/fake_dialogs.h"
#include "ui/trace_view.h"

using core::Quantity;
using plots::PlotRangeDialog;
using plots::PlotWindow;

namespace {

QString timeOf(int row) {
    return QString::asprintf("10:%02d:%02d", row / 60 % 60, row % 60);
}

// `count` records of `unit` whose values are given by `value(row)`; the temperature is 25.5.
template <class Value>
core::RowTexts records(int count, const char* unit, Value value) {
    core::RowTexts rows;
    for (int row = 1; row <= count; ++row)
        rows.append(std::to_string(row) + "\t24/03/05\t" + timeOf(row).toStdString() + "\t" +
                    value(row) + "\t" + unit + "\t25.5\t'C\tATC");
    return rows;
}

core::RowTexts phRecords(int count) {
    return records(count, "pH", [](int) { return std::string("7.000"); });
}

template <class List>
List* listOf(const core::RowTexts& rows) {
    auto* list = new List;
    list->grid()->addRows(rows);
    list->show();
    return list;
}

void choose(QWidget* list, const char* item) {
    list->findChild<QAction*>(item)->trigger();
}

QString label(PlotWindow* window, const char* name) {
    const QLabel* widget = window->view()->label(name);
    return widget ? widget->text() : QStringLiteral("<missing>");
}

QString labels(PlotWindow* window, QList<const char*> names) {
    QStringList texts;
    for (const char* name : names) texts << label(window, name);
    return texts.join('|');
}

QLineEdit* box(PlotRangeDialog* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(name);
}

void enter(PlotRangeDialog* dialog, const QStringList& fromToMinMax) {
    const char* names[] = {"TxtT1", "TxtT2", "TxtR1", "TxtR2"};
    for (int i = 0; i < 4; ++i) box(dialog, names[i])->setText(fromToMinMax[i]);
}

QString boxes(PlotRangeDialog* dialog) {
    return QStringList{box(dialog, "TxtT1")->text(), box(dialog, "TxtT2")->text(),
                       box(dialog, "TxtR1")->text(), box(dialog, "TxtR2")->text()}
        .join(' ');
}

void pressOk(PlotRangeDialog* dialog) {
    dialog->findChild<QPushButton*>("CmdOk")->click();
}

// Runs deferred deletes, so that closed windows are gone.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class PlotsTest : public QObject {
    Q_OBJECT

  private:
    FakeDialogs* fake = nullptr;
    plots::ListPlotter plotter;

  private slots:
    void initTestCase() {
        connect(&FileTransfer::events(), &FileTransfer::ListEvents::plotRequested, &plotter,
                &plots::ListPlotter::plotRequested);
    }

    void init() {
        app::ResetProgramState();
        fake = new FakeDialogs;
    }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        settle();
        delete fake;
    }

    void listsOpenTheirPlotWithScaleTimeAndUnitLabels_data() {
        QTest::addColumn<bool>("fromFileList");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");  // value labels, time labels, unit
        QTest::newRow("pH") << true << "pH"
                            << "MnupHmV"
                            << "ListPlot1"
                            << "Plot Data/File --- pH"
                            << "14|7|0|10:00:01|10:00:10|10:00:20|pH";
        QTest::newRow("mV, mirrored below") << false << "mV"
                                            << "MnupHmV"
                                            << "ListPlot2"
                                            << "Plot Data/File---mV"
                                            << "2000|1000|0|-1000|-2000|10:00:01|10:00:10|"
                                               "10:00:20|mV";
        QTest::newRow("temperature") << false << "pH"
                                     << "MnuTemp"
                                     << "ListPlot11"
                                     << "Plot Data/File --- Temperature"
                                     << "220|110|0|10:00:01|10:00:10|10:00:20|'C";
    }

    void listsOpenTheirPlotWithScaleTimeAndUnitLabels() {
        QFETCH(bool, fromFileList);
        QFETCH(QString, unit);
        QFETCH(QString, item);
        const core::RowTexts rows =
            records(20, unit.toLatin1().constData(), [](int) { return std::string("5.0"); });
        QWidget* list =
            fromFileList ? static_cast<QWidget*>(listOf<FileList>(rows)) : listOf<DataList>(rows);
        choose(list, item.toLatin1().constData());

        QFETCH(QString, window);
        auto* plot = qobject_cast<PlotWindow*>(ui::TraceWindow::findOpen(window));
        QVERIFY(plot);
        QFETCH(QString, caption);
        QCOMPARE(plot->windowTitle(), caption);
        QCOMPARE(plot->pos(), QPoint(0, 0));
        QList<const char*> names = {"LblValTop", "LblValMid", "Lbl0"};
        if (plot->quantity() == Quantity::Mv)
            names << "MidLbl"
                  << "TopLbl";
        names << "LblT1"
              << "LblT2"
              << "LblT3"
              << "LblUnit";
        QFETCH(QString, shown);
        QCOMPARE(labels(plot, names), shown);
        QCOMPARE(label(plot, "LblTime"), QStringLiteral("TIME"));
        QCOMPARE(plot->view()->pointCount(0), std::size_t(20));
        QCOMPARE(Plots::State.PlotFromFileList, fromFileList);
        QCOMPARE(Plots::State.PlotFromDataList, !fromFileList);

        plot->findChild<QAction*>("MnuPrint")->trigger();
        QCOMPARE(fake->printedWidgets, 1);
    }

    void pHmVOfAnyOtherUnitOrOfAnEmptyListOpensNothing() {
        choose(listOf<FileList>(records(3, "ORP", [](int) { return std::string("5"); })),
               "MnupHmV");
        auto* empty = listOf<DataList>({});
        choose(empty, "MnupHmV");
        QVERIFY(!PlotWindow::find(Quantity::Ph) && !PlotWindow::find(Quantity::Mv));

        // Temperature of an empty list: the window with its value labels and nothing else.
        choose(empty, "MnuTemp");
        PlotWindow* plot = PlotWindow::find(Quantity::Temperature);
        QVERIFY(plot);
        QCOMPARE(labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblUnit"}),
                 QStringLiteral("220|110|0||"));
        QCOMPARE(plot->view()->traceCount(), 0);
    }

    void aNewPlotFromTheMenuDrawsOverTheOpenOne() {
        FileList* list = listOf<FileList>(phRecords(5));
        choose(list, "MnupHmV");
        PlotWindow* plot = PlotWindow::find(Quantity::Ph);
        choose(list, "MnupHmV");
        QCOMPARE(PlotWindow::find(Quantity::Ph), plot);
        QCOMPARE(plot->view()->traceCount(), 2);
    }

    void rangeDialogRefusesInvalidEntriesAndKeepsThePlotClosed_data() {
        QTest::addColumn<QStringList>("entry");
        QTest::newRow("To not after From") << QStringList{"5", "5", "0", "14"};
        QTest::newRow("more rows than listed") << QStringList{"0", "20", "0", "14"};
        QTest::newRow("Max. above 14") << QStringList{"1", "20", "0", "14.5"};
        QTest::newRow("Min. below 0") << QStringList{"1", "20", "-1", "14"};
        QTest::newRow("From not a whole row") << QStringList{"1.5", "20", "0", "14"};
    }

    void rangeDialogRefusesInvalidEntriesAndKeepsThePlotClosed() {
        choose(listOf<FileList>(phRecords(20)), "MnupHmV");
        PlotWindow::find(Quantity::Ph)->findChild<QAction*>("MnuLimit")->trigger();
        PlotRangeDialog* dialog = PlotRangeDialog::find(Quantity::Ph);
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("pH Plot Range"));
        QCOMPARE(boxes(dialog), QStringLiteral("1 20 0 14"));

        QFETCH(QStringList, entry);
        enter(dialog, entry);
        const core::PlotRange before = Plots::State.PhRange;
        pressOk(dialog);
        QCOMPARE(fake->messages.size(), 1);
        QCOMPARE(fake->messages[0].text, QStringLiteral("Invalid, Try again!"));
        QVERIFY(!PlotWindow::find(Quantity::Ph));
        QCOMPARE(PlotRangeDialog::find(Quantity::Ph), dialog);
        QCOMPARE(boxes(dialog), entry.join(' '));
        QCOMPARE(Plots::State.PhRange, before);

        // Resizing refills the boxes with the stored range.
        dialog->resize(dialog->size() + QSize(10, 10));
        QCOMPARE(boxes(dialog), QStringLiteral("1 20 0 14"));
    }

    void rangeDialogRedrawsFromTheListOfTheLatestOpening() {
        choose(listOf<DataList>(phRecords(10)), "MnupHmV");
        // A temperature plot from the file list moves the shared source to FileList.
        auto timesOfFile = records(30, "pH", [](int) { return std::string("7.0"); });
        choose(listOf<FileList>(timesOfFile), "MnuTemp");

        PlotRangeDialog* dialog = PlotRangeDialog::showDialog(Quantity::Ph);
        enter(dialog, {"21", "30", "4", "10"});
        pressOk(dialog);
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(!PlotRangeDialog::find(Quantity::Ph));
        PlotWindow* plot = PlotWindow::find(Quantity::Ph);
        QCOMPARE(labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT2", "LblT3"}),
                 QStringLiteral("10|7|4|10:00:21|10:00:25|10:00:30"));
        QCOMPARE(plot->view()->traceCount(), 1);  // afresh: the old trace is gone
        QCOMPARE(plot->view()->pointCount(0), std::size_t(10));
    }

    void oddRangesDrawWhatTheyCan_data() {
        QTest::addColumn<QStringList>("entry");
        QTest::addColumn<QString>("shown");  // value, time and unit labels
        QTest::addColumn<int>("points");
        QTest::newRow("From 0 reads the header row")
            << QStringList{"0", "9", "0", "2000"} << "2000|1000|0|    Time|10:00:04|10:00:09|mV"
            << 10;
        QTest::newRow("Max. below Min.: upside down")
            << QStringList{"1", "10", "100", "0"} << "0|50|100|10:00:01|10:00:05|10:00:10|mV" << 10;
        QTest::newRow("Max. equal to Min.: labels only")
            << QStringList{"1", "10", "50", "50"} << "50|50|50|10:00:01|10:00:05|10:00:10|mV" << 0;
        QTest::newRow("To beyond the last row")
            << QStringList{"5", "12", "0", "2000"} << "2000|1000|0|10:00:05|10:00:08||" << 0;
        QTest::newRow("middle row missing too")
            << QStringList{"9", "14", "0", "2000"} << "2000|1000|0|10:00:09|||" << 0;
    }

    void oddRangesDrawWhatTheyCan() {
        choose(listOf<FileList>(records(10, "mV", [](int) { return std::string("-500.0"); })),
               "MnupHmV");
        QFETCH(QStringList, entry);
        PlotRangeDialog* dialog = PlotRangeDialog::showDialog(Quantity::Mv);
        enter(dialog, entry);
        pressOk(dialog);
        QVERIFY(fake->messages.isEmpty());
        PlotWindow* plot = PlotWindow::find(Quantity::Mv);
        QFETCH(QString, shown);
        QCOMPARE(
            labels(plot, {"LblValTop", "LblValMid", "Lbl0", "LblT1", "LblT2", "LblT3", "LblUnit"}),
            shown);
        QFETCH(int, points);
        QCOMPARE(plot->view()->pointCount(0), std::size_t(points));
    }

    void closedSourceListIsReportedAndThePlotKept() {
        FileList* list = listOf<FileList>(phRecords(10));
        choose(list, "MnupHmV");
        PlotWindow* plot = PlotWindow::find(Quantity::Ph);
        list->close();
        PlotRangeDialog* dialog = PlotRangeDialog::showDialog(Quantity::Ph);
        enter(dialog, {"2", "5", "0", "14"});
        pressOk(dialog);
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages[0].text.contains("closed"));
        QCOMPARE(PlotWindow::find(Quantity::Ph), plot);
        QCOMPARE(Plots::State.PhRange.LastRecord, 10);
    }

    void plotsAndRangeDialogsCloseWhenTheLinkIsLost() {
        choose(listOf<DataList>(phRecords(5)), "MnuTemp");
        PlotRangeDialog::showDialog(Quantity::Temperature);
        emit Rs232::events().linkLost();
        QVERIFY(!PlotWindow::find(Quantity::Temperature));
        QVERIFY(!PlotRangeDialog::find(Quantity::Temperature));
    }

    void aLargeListIsPlottedPointForPoint() {
        constexpr int kRows = 300000;
        // 7 throughout (y 2500) but the last reading, 10.5 (y 1750).
        FileList* list = listOf<FileList>(records(
            kRows, "pH", [](int row) { return std::string(row == kRows ? "10.5" : "7.0"); }));
        choose(list, "MnupHmV");
        PlotWindow* plot = PlotWindow::find(Quantity::Ph);
        ui::TraceView* view = plot->view();
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
        QVERIFY(inked(1760) && inked(2100) && inked(2490));
        QVERIFY(!inked(1600) && !inked(1300));
    }
};

QTEST_MAIN(PlotsTest)
#include "test_plots.moc"
