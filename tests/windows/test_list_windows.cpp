#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstring>

#include "core/record_row.h"
#include "files/data_file_loading.h"
#include "files/data_list.h"
#include "files/file_list.h"
#include "files/file_transfer.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "files/list_events.h"
#include "files/real_time_list.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "link/rs232.h"
#include "support/fake_dialogs.h"
#include "ui/dialogs.h"
#include "ui/print_text.h"

namespace {

// Recording stops asked for by the list commands (the recorder's part, counted).
int stopRequests = 0;

// Records the captions a FileList takes, also while Open File creates and fills it.
class CaptionRecorder : public QObject {
  public:
    QStringList captions;

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::WindowTitleChange && qobject_cast<files::FileList*>(object))
            captions.append(static_cast<QWidget*>(object)->windowTitle());
        return false;
    }
};

core::RecordRow sample(const char* value, const char* battery = "") {
    return core::RecordRow{{"", "24/03/05", "14:02:59", value, "pH", "25.3", "'C", "ATC", battery}};
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A device whose reads fail once `good` bytes have been read, like a disk that fails part-way.
class FailingDevice : public QIODevice {
  public:
    FailingDevice(QByteArray bytes, qint64 good) : bytes_(std::move(bytes)), good_(good) {
        open(QIODevice::ReadOnly);
    }

  protected:
    qint64 readData(char* data, qint64 max) override {
        const qint64 n = std::min(max, good_ - pos_);
        if (n <= 0) {
            setErrorString(QStringLiteral("Input/output error"));
            return -1;
        }
        std::memcpy(data, bytes_.constData() + pos_, size_t(n));
        pos_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    QByteArray bytes_;
    qint64 good_;
    qint64 pos_ = 0;
};

// Destroys windows that were closed (they are deleted later).
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace

class ListWindowsTest : public QObject {
    Q_OBJECT

  private:
    FakeDialogs* fake = nullptr;
    QTemporaryDir dir;
    QTimer pollTimer;

    // The lists under test, with a recording that stands in for the recorder: the lists ask
    // whether it runs, into which file, and stop it (counted).
    std::unique_ptr<files::Files> lists;
    bool recording = false;
    long recordingCount = 0;

    QString path(const QString& name) const { return dir.filePath(name); }

    void startRecording() {
        recording = true;
        recordingCount = 5;
    }

    files::RealTimeList* openLiveList() {
        files::OpenLiveList(*lists);
        return lists->findRealTimeList();
    }

    files::FileList* openFile(const QString& file) {
        fake->openName = file;
        files::OpenDataFile(*lists, nullptr);
        // The rows are read on a worker thread: wait until the list holds them.
        const QPointer<files::FileList> list = lists->findFileList();
        if (list && !QTest::qWaitFor([&] { return !list || !list->loading(); }, 20000))
            return nullptr;
        return lists->findFileList();
    }

  private slots:
    void initTestCase() {
        QVERIFY(dir.isValid());
        pollTimer.setInterval(500);
    }

    void init() {
        recording = false;
        recordingCount = 0;
        lists = std::make_unique<files::Files>(files::RecordingLink{
            [this] { return recording; }, [this] { return lists->DataFileName; },
            [this](core::RecordingStop) {
                recording = false;
                recordingCount = 0;
                ++stopRequests;
            }});
        fake = new FakeDialogs;
        fake->isRecording = [this] { return recording; };
        ui::setDialogs(fake);
        stopRequests = 0;
    }

    void cleanup() {
        for (QWidget* window : QApplication::topLevelWidgets()) window->close();
        settle();
        lists.reset();
        ui::setDialogs(nullptr);
        delete fake;
    }

    void windowsHaveTheirNamesCaptionsMenusAndHeader() {
        files::OpenLiveList(*lists);
        auto* live = lists->findRealTimeList();
        auto* data = lists->showAfreshDataList();
        auto* fileList = new files::FileList(*lists);
        fileList->show();
        const QList<QPair<files::RecordListWindow*, QStringList>> windows = {
            {live, {"CmdRsave", "MnuSaveCsv", "CmdRprint"}},
            {data, {"CmdDsave", "MnuSaveCsv", "CmdDplot", "MnupHmV", "MnuTemp", "CmdDprint"}},
            {fileList, {"MnuSaveCsv", "CmdFplot", "MnupHmV", "MnuTemp", "CmdFprint"}},
        };
        for (const auto& [window, actions] : windows) {
            QVERIFY(window);
            QCOMPARE(window->windowTitle(), window->objectName());
            QCOMPARE(window->accessibleDescription(), window->objectName());
            QCOMPARE(window->pos(), QPoint(0, 0));
            QVERIFY(QApplication::topLevelWidgets().contains(window));
            for (const QString& name : actions)
                QVERIFY2(window->findChild<QAction*>(name), qPrintable(name));
            files::RecordGrid* grid = window->findChild<files::RecordGrid*>("Grid");
            QCOMPARE(grid, window->grid());
            QCOMPARE(grid->accessibleDescription(), QStringLiteral("Grid"));
            QCOMPARE(grid->rows(), 1);
            QCOMPARE(grid->columns(), 9);
            const QStringList header = {"",       "     Date", "    Time", " Values ", "Unit",
                                        "  Temp", " C/F ",     " A/M ",    "   Bt "};
            for (int c = 0; c < 9; ++c) {
                QCOMPARE(grid->cellText(0, c), header[c]);
                QVERIFY(grid->columnWidth(c) > 0);
            }
            // Widths follow the templates: the date column is wider than the unit column.
            QVERIFY(grid->columnWidth(1) > grid->columnWidth(4));
        }
        QLabel* title = data->findChild<QLabel*>("LblTitle");
        QVERIFY(title);
        QCOMPARE(title, data->lblTitle());
        QVERIFY(data->grid()->geometry().top() > title->geometry().bottom());
    }

    void liveListReopenedStartsEmptyAndNumbersOn() {
        QVERIFY(!lists->AppendLiveSample(sample("1.000")));
        const long before = lists->LiveListCount;

        QPointer<files::RealTimeList> first = openLiveList();
        QVERIFY(first && lists->liveListOpen());
        QVERIFY(lists->AppendLiveSample(sample("7.001")));
        QVERIFY(lists->AppendLiveSample(sample("7.002", "Low")));
        QCOMPARE(first->grid()->rows(), 3);
        QCOMPARE(first->grid()->cellText(2, 0), QString::number(before + 2));
        QCOMPARE(first->grid()->cellText(2, 8), QStringLiteral("Low"));
        QCOMPARE(first->grid()->cellText(1, 8), QString());

        QPointer<files::RealTimeList> second = openLiveList();
        settle();
        QVERIFY(!first);
        QVERIFY(second && lists->liveListOpen());
        QCOMPARE(second->grid()->rows(), 1);
        QVERIFY(lists->AppendLiveSample(sample("7.003")));
        QCOMPARE(second->grid()->cellText(1, 0), QString::number(before + 3));

        second->close();
        QVERIFY(!lists->liveListOpen());
        QVERIFY(!lists->findRealTimeList());
        QVERIFY(!lists->AppendLiveSample(sample("7.004")));
        QCOMPARE(lists->LiveListCount, before + 3);
    }

    void liveListFollowsTheNewestRowPastTwentyRows() {
        files::RealTimeList* live = openLiveList();
        QVERIFY(QTest::qWaitForWindowExposed(live));
        files::RecordGrid* grid = live->grid();
        for (int k = 1; k <= 21; ++k) lists->AppendLiveSample(sample("7.000"));
        QCOMPARE(grid->topRow(), 1);

        int previousTop = grid->topRow();
        for (int k = 22; k <= 60; ++k) {
            lists->AppendLiveSample(sample("7.000"));
            const int top = grid->topRow();
            QVERIFY2(top > previousTop, qPrintable(QString::number(k)));
            // Past the first step it moves one row per new row.
            if (k > 22) QCOMPARE(top, previousTop + 1);
            previousTop = top;
            const int last = grid->rows() - 1;
            QVERIFY(grid->rowViewportPosition(last) >= 0);
            QVERIFY(grid->rowViewportPosition(last) + grid->rowHeight(last) <=
                    grid->viewport()->height());
        }
    }

    void saveWritesTheListFileLayout() {
        files::RealTimeList* live = openLiveList();
        lists->AppendLiveSample(sample("7.012"));
        lists->AppendLiveSample(sample("- . - - -", "Low"));
        const long n = lists->LiveListCount;
        fake->saveName = path("list.dat");
        writeFile(fake->saveName, QByteArray(5000, 'x'));  // replaced, not appended to

        live->CmdRsave_Click();
        // "All Files" shows names without a dot too.
        QCOMPARE(fake->lastFilter, QStringLiteral("Data Files (*.dat);;All Files (*)"));
        QCOMPARE(lists->DataFileName, fake->saveName);
        QVERIFY(fake->messages.isEmpty());
        const QByteArray expected =
            "\"" + QByteArray::number(qlonglong(n - 1)) +
            "\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\t\t\"\r\n"
            "\"" +
            QByteArray::number(qlonglong(n)) +
            "\t24/03/05\t14:02:59\t- . - - -\tpH\t25.3\t'C\tATC\tLow\t\"\r\n";
        QCOMPARE(readFile(fake->saveName), expected);

        // Read back through Open File: the same nine cells, in order.
        files::FileList* files = openFile(fake->saveName);
        QVERIFY(files);
        QCOMPARE(files->grid()->rows(), 3);
        for (int r = 1; r < 3; ++r)
            for (int c = 0; c < 9; ++c)
                QCOMPARE(files->grid()->cellText(r, c), live->grid()->cellText(r, c));
    }

    void savingAHeaderOnlyListGivesAnEmptyFile() {
        files::DataList* data = lists->showAfreshDataList();
        fake->saveName = path("empty.dat");
        data->CmdDsave_Click();
        QVERIFY(QFile::exists(fake->saveName));
        QCOMPARE(QFileInfo(fake->saveName).size(), 0);
    }

    void failedSaveIsReportedAndKeepsListAndOldFile() {
        files::RealTimeList* live = openLiveList();
        lists->AppendLiveSample(sample("7.012"));
        fake->saveName = path("no such folder/list.dat");
        live->CmdRsave_Click();
        QCOMPARE(fake->messages.size(), 1);
        const auto& message = fake->messages.first();
        QVERIFY(message.text.contains(fake->saveName));
        QVERIFY(message.text.count('\n') >= 2);  // the reason follows the file name
        QCOMPARE(message.icon, ui::Dialogs::Icon::Critical);
        QVERIFY(!QFile::exists(fake->saveName));
        QCOMPARE(live->grid()->rows(), 2);

        // A folder in place of the file: the reason is given, nothing is replaced.
        fake->messages.clear();
        fake->saveName = path("folder.dat");
        QVERIFY(QDir(dir.path()).mkpath("folder.dat"));
        live->CmdRsave_Click();
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages.first().text.contains(fake->saveName));
        QVERIFY(QFileInfo(fake->saveName).isDir());
    }

    void saveAsCsvWritesEveryListForSpreadsheets() {
        const QStringList rows = {
            "1\t26/12/09\t14:02:11\t7.012\tpH\t25.3\t'C\tATC",
            "2\t26/12/09\t14:02:13\t- . - - -\tpH\t\t'F\tMTC\tLow",
            "3\tsoon, \"maybe\"\t\t-0150.5\tmV\t025.0\t'C\tATC",
        };
        const QByteArray expected =
            "record,date_time,value,unit,temperature,temperature_unit,compensation,battery\r\n"
            "1,2026-12-09 14:02:11,7.012,pH,25.3,°C,ATC,\r\n"
            "2,2026-12-09 14:02:13,,pH,,°F,MTC,Low\r\n"
            "3,\"soon, \"\"maybe\"\"\",-150.5,mV,25.0,°C,ATC,\r\n";
        // A recording goes on meanwhile: the CSV file is none of its business.
        startRecording();
        lists->DataFileName = path("recorded.dat");
        writeFile(lists->DataFileName, "1\t26/12/09\r\n");
        files::RecordListWindow* windows[] = {openLiveList(), lists->showAfreshDataList(),
                                              new files::FileList(*lists)};
        int n = 0;
        for (files::RecordListWindow* window : windows) {
            for (const QString& row : rows) window->grid()->addRow(row);
            fake->saveName = path(QStringLiteral("list%1.csv").arg(++n));
            window->findChild<QAction*>("MnuSaveCsv")->trigger();
            QCOMPARE(fake->lastFilter, QStringLiteral("CSV Files (*.csv);;All Files (*)"));
            QCOMPARE(readFile(fake->saveName), expected);
        }
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(recording);
        QCOMPARE(stopRequests, 0);
        QCOMPARE(lists->DataFileName, path("recorded.dat"));

        // The recording's own file is refused; a folder that does not exist is reported.
        fake->saveName = path("recorded.dat");
        windows[0]->findChild<QAction*>("MnuSaveCsv")->trigger();
        fake->saveName = path("no such folder/list.csv");
        windows[0]->findChild<QAction*>("MnuSaveCsv")->trigger();
        QCOMPARE(fake->messages.size(), 2);
        QVERIFY(fake->messages[0].text.contains(path("recorded.dat")));
        QVERIFY(fake->messages[1].text.contains(fake->saveName));
        QCOMPARE(readFile(path("recorded.dat")), QByteArray("1\t26/12/09\r\n"));
    }

    void cancelledSaveAsWritesNothingAndKeepsTheName() {
        files::RealTimeList* live = openLiveList();
        lists->AppendLiveSample(sample("7.012"));
        lists->DataFileName = QStringLiteral("earlier.dat");
        fake->saveName.clear();
        live->CmdRsave_Click();
        QCOMPARE(fake->saveCalls, 1);
        QCOMPARE(lists->DataFileName, QStringLiteral("earlier.dat"));
        QVERIFY(fake->messages.isEmpty());
        QVERIFY(!QFile::exists(QStringLiteral("earlier.dat")));
    }

    void saveWhileRecordingAsksFirst_data() {
        QTest::addColumn<bool>("ok");
        QTest::newRow("Cancel keeps recording") << false;
        QTest::newRow("OK stops recording before the dialog") << true;
    }

    void saveWhileRecordingAsksFirst() {
        QFETCH(bool, ok);
        files::DataList* data = lists->showAfreshDataList();
        data->grid()->addRow(QStringLiteral("1\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\t"));
        lists->DataFileName = path("recording.dat");
        startRecording();
        fake->answers.enqueue(ok ? ui::Dialogs::Answer::Ok : ui::Dialogs::Answer::Cancel);
        fake->saveName = lists->DataFileName;  // the recording's own file

        data->CmdDsave_Click();
        QCOMPARE(fake->messages.size(), 1);
        const auto& question = fake->messages.first();
        QCOMPARE(question.title, QStringLiteral("Warning!"));
        QCOMPARE(
            question.text,
            QStringLiteral("Recording Mode!  \t\nSaving Data to recording.dat\t\nClose it now?"));
        QCOMPARE(question.icon, ui::Dialogs::Icon::Information);
        QCOMPARE(question.buttons, ui::Dialogs::Buttons::OkCancel);
        if (!ok) {
            QCOMPARE(fake->saveCalls, 0);
            QVERIFY(recording);
            QCOMPARE(stopRequests, 0);
            QVERIFY(!QFile::exists(fake->saveName));
        } else {
            QCOMPARE(fake->saveCalls, 1);
            QVERIFY(!fake->recordingAtSaveDialog);
            QCOMPARE(stopRequests, 1);
            QCOMPARE(recordingCount, 0);
            QVERIFY(readFile(fake->saveName).startsWith("\"1\t24/03/05"));
        }
    }

    void openFileCountsRecordsThenShowsTheName() {
        QByteArray bytes;
        for (int i = 1; i <= 1000; ++i)
            bytes += QByteArray::number(i) + "\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\r\n";
        writeFile(path("thousand.dat"), bytes);
        CaptionRecorder recorder;
        qApp->installEventFilter(&recorder);
        files::FileList* files = openFile(path("thousand.dat"));
        qApp->removeEventFilter(&recorder);

        QVERIFY(files);
        QCOMPARE(files->windowTitle(), QStringLiteral("thousand.dat"));
        QVERIFY(recorder.captions.size() >= 2);
        QCOMPARE(recorder.captions.last(), QStringLiteral("thousand.dat"));
        QCOMPARE(recorder.captions[recorder.captions.size() - 2],
                 QStringLiteral("1000 Records Completed"));
        QCOMPARE(files->grid()->rows(), 1001);
        QCOMPARE(files->grid()->cellText(1000, 0), QStringLiteral("1000"));
        QCOMPARE(files->grid()->cellText(1000, 7), QStringLiteral("ATC"));
        QCOMPARE(files->grid()->cellText(1000, 8), QString());
    }

    // While the rows are read the list is empty and its menus are off; closing it then, or
    // opening another file, stops the reading.
    void openFileReadsOnAWorkerAndStopsWithItsWindow() {
        QByteArray bytes;
        for (int i = 1; i <= 200000; ++i)
            bytes += QByteArray::number(i) + "\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\r\n";
        writeFile(path("busy.dat"), bytes);
        for (const bool reopen : {false, true}) {
            fake->openName = path("busy.dat");
            files::OpenDataFile(*lists, nullptr);
            QPointer<files::FileList> busy = lists->findFileList();
            QVERIFY(busy && busy->loading());
            QVERIFY(!busy->menuBar()->isEnabled());
            QCOMPARE(busy->grid()->rows(), 1);
            if (reopen) {
                files::FileList* again = openFile(path("busy.dat"));
                settle();
                QVERIFY(!busy);
                QCOMPARE(again->grid()->rows(), 200001);
                QVERIFY(again->menuBar()->isEnabled());
                QCOMPARE(again->windowTitle(), QStringLiteral("busy.dat"));
            } else {
                busy->close();
                settle();
                QVERIFY(!busy);
                QVERIFY(!lists->findFileList());
            }
        }
        QVERIFY(fake->messages.isEmpty());
    }

    void openFileReplacesTheFileListAndKeepsEveryByte() {
        writeFile(path("a.dat"), "1\tfirst\r\n");
        QPointer<files::FileList> first = openFile(path("a.dat"));
        // Latin-1 degree sign, a decimal comma, LF alone, no final line end.
        writeFile(path("b.dat"),
                  "1\t25.3 \xB0"
                  "C\n2\t7,5\n\"3\t\xC2\xB0\t\"");
        files::FileList* second = openFile(path("b.dat"));
        settle();
        QVERIFY(!first);
        QVERIFY(second);
        files::RecordGrid* grid = second->grid();
        QCOMPARE(grid->rows(), 5);
        QCOMPARE(grid->cellText(1, 1), QStringLiteral("25.3 \u00B0C"));
        QCOMPARE(grid->cellText(2, 1), QStringLiteral("7"));
        QCOMPARE(grid->cellText(3, 0), QStringLiteral("5"));
        QCOMPARE(grid->cellText(4, 1), QStringLiteral("\u00B0"));
    }

    void openFileOfJunkOrNothingStillLoads() {
        QByteArray junk;
        for (unsigned i = 0; i < 300000; ++i) junk += char((i * 7919u) % 256u);
        writeFile(path("junk.bin"), junk);
        files::FileList* files = openFile(path("junk.bin"));
        QVERIFY(files);
        QVERIFY(files->grid()->rows() > 1);
        QVERIFY(fake->messages.isEmpty());

        writeFile(path("empty.dat"), QByteArray());
        files = openFile(path("empty.dat"));
        QVERIFY(files);
        QCOMPARE(files->grid()->rows(), 1);
        QCOMPARE(files->windowTitle(), QStringLiteral("empty.dat"));
    }

    void openFileThatCannotBeReadSaysSo() {
        writeFile(path("kept.dat"), "1\tkept\r\n");
        QPointer<files::FileList> kept = openFile(path("kept.dat"));
        QVERIFY(kept);

        const QStringList unreadable = {path("missing.dat"), dir.path()};
        for (const QString& name : unreadable) {
            fake->messages.clear();
            openFile(name);
            QCOMPARE(fake->messages.size(), 1);
            QVERIFY(fake->messages.first().text.contains(name));
            settle();
            QVERIFY(kept);
            QCOMPARE(lists->findFileList(), kept.data());
            QCOMPARE(kept->grid()->cellText(1, 1), QStringLiteral("kept"));
        }
    }

    void aReadErrorPartWayKeepsTheCompleteLinesReadBeforeIt() {
        const QByteArray bytes = "1\ta\r\n2\tb\r\n3\tc\r\n";
        FailingDevice device(bytes, 12);  // fails inside the third line
        QByteArray read;
        QString error;
        QCOMPARE(files::ReadDataBytes(device, bytes.size(), &read, &error),
                 files::DataFileRead::Partly);
        QCOMPARE(read, QByteArray("1\ta\r\n2\tb\r\n"));
        QCOMPARE(error, QStringLiteral("Input/output error"));
    }

    void openFileStopsTheRecordingEvenWhenCancelled() {
        startRecording();
        fake->openName.clear();
        files::OpenDataFile(*lists, nullptr);
        QCOMPARE(fake->openCalls, 1);
        QVERIFY(!fake->recordingAtOpenDialog);
        QCOMPARE(stopRequests, 1);
        QVERIFY(!lists->findFileList());
    }

    void openFileListsAWeek() {
        QByteArray bytes;
        bytes.reserve(300000 * 48);
        for (int i = 1; i <= 300000; ++i)
            bytes += QByteArray::number(i) + "\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC\r\n";
        writeFile(path("week.dat"), bytes);
        files::FileList* files = openFile(path("week.dat"));
        QVERIFY(files);
        QCOMPARE(files->grid()->rows(), 300001);
    }

    void dataListPlotMenuFollowsSingleRecordList() {
        QList<files::ListPlotKind> requests;
        QList<QString> sources;
        QObject context;
        connect(&lists->events(), &files::ListEvents::plotRequested, &context,
                [&](QWidget* window, files::RecordGrid* grid, files::ListPlotKind kind) {
                    QCOMPARE(grid, window->findChild<files::RecordGrid*>("Grid"));
                    requests.append(kind);
                    sources.append(window->objectName());
                });

        lists->closeDataList();
        lists->SingleRecordList = true;
        files::DataList* single = lists->showAfreshDataList();
        QVERIFY(!single->findChild<QMenu*>("CmdDplot")->menuAction()->isEnabled());
        single->findChild<QAction*>("MnuTemp")->trigger();
        QVERIFY(requests.isEmpty());
        single->close();
        QVERIFY(!lists->SingleRecordList);

        files::DataList* sets = lists->showAfreshDataList();
        QVERIFY(sets->findChild<QMenu*>("CmdDplot")->menuAction()->isEnabled());
        sets->findChild<QAction*>("MnupHmV")->trigger();
        auto* fileList = new files::FileList(*lists);
        fileList->show();
        fileList->findChild<QAction*>("MnuTemp")->trigger();
        QCOMPARE(requests, (QList<files::ListPlotKind>{files::ListPlotKind::PhMv,
                                                       files::ListPlotKind::Temperature}));
        QCOMPARE(sources, (QList<QString>{"DataList", "FileList"}));
    }

    void gridKeepsHugeCellsButShowsThemShort() {
        files::RecordGrid grid;
        const QString huge(200000, QChar('x'));
        grid.addRow(huge + QStringLiteral("\tpH"));
        QCOMPARE(grid.cellText(1, 0), huge);
        QCOMPARE(grid.cellText(1, 1), QStringLiteral("pH"));
        const QString shown = grid.model()->index(1, 0).data().toString();
        QVERIFY(shown.size() < 5000);
        QVERIFY(huge.startsWith(shown.chopped(1)));
        grid.setRows(4);
        QCOMPARE(grid.rows(), 4);
        QCOMPARE(grid.cellText(3, 0), QString());
        grid.setRows(0);
        QCOMPARE(grid.rows(), 1);
    }

    void printGivesHeadingsAndFixedWidthLines() {
        files::DataList* data = lists->showAfreshDataList();
        data->grid()->addRow(QStringLiteral("1\t24/03/05\t14:02:59\t7.012\tpH\t25.3\t'C\tATC"));
        data->grid()->addRow(QStringLiteral("123456789\t24/03/05\t14:02:59\tlong value text\tpH"));
        data->grid()->addRow(
            QStringLiteral("3\t24/03/05\t14:03:01\t7.013\tpH\t25.3\t'C\tATC\tLow"));
        data->CmdDprint_Click();
        QVERIFY(!QApplication::overrideCursor());

        QCOMPARE(fake->printed.size(), 5);
        QCOMPARE(
            fake->printed[0],
            QStringLiteral("          Date       Time       Value   Unit Value  C/F A/T  BAT"));
        QCOMPARE(
            fake->printed[1],
            QStringLiteral("       ----------  --------  ----------- --  -----  --- ---  ---"));
        QCOMPARE(
            fake->printed[2],
            QStringLiteral("1      24/03/05    14:02:59  7.012       pH  25.3   'C  ATC       "));
        QVERIFY(fake->printed[3].startsWith("123456789 24/03/05"));
        QVERIFY(fake->printed[3].contains("long value text pH"));
        QCOMPARE(fake->printed[4].size(), 66);
        QVERIFY(fake->printed[4].endsWith("ATC  Low  "));
        QVERIFY(fake->messages.isEmpty());

        fake->printerAvailable = false;  // no printer, and the PDF offer declined
        data->CmdDprint_Click();
        QCOMPARE(fake->messages.size(), 1);
        QVERIFY(fake->messages.first().text.contains("No printer is installed."));
    }

    // The listing is taken in one go; a sampling tick while the print dialog stands still
    // adds its row to the live list.
    void printTakesTheListAtOnceAndSamplesGoOn() {
        files::RealTimeList* live = openLiveList();
        for (int i = 0; i < 150; ++i) lists->AppendLiveSample(sample("7.000"));
        fake->onPrint = [this] { lists->AppendLiveSample(sample("9.999")); };
        live->CmdRprint_Click();
        QCOMPARE(fake->printed.size(), 2 + 150);
        QCOMPARE(live->grid()->rows(), 1 + 151);
    }

    void printsToPdf() {
        auto* fileList = new files::FileList(*lists);
        fileList->show();
        core::RowTexts rows;
        for (int i = 1; i <= 200; ++i) rows.append(std::to_string(i) + "\t24/03/05\t14:02:59\t7.0");
        fileList->grid()->addRows(rows);
        fake->pdfPath = path("listing.pdf");
        fileList->CmdFprint_Click();
        QCOMPARE(fake->printed.size(), 202);
        const QByteArray pdf = readFile(fake->pdfPath);
        QVERIFY(pdf.startsWith("%PDF"));
        QVERIFY(pdf.size() > 1000);
    }
};

QTEST_MAIN(ListWindowsTest)
#include "test_list_windows.moc"
