// Times Open File on recordings of a week of 2-second readings (300 000 lines) and of 1 M lines:
// first its stages on the week (reading the file, parsing it by the data-file rules, filling the
// grid model, the whole fill of a shown list grid), then the whole command from the file name to
// the list's final caption, each size in a fresh process of its own so that its peak memory is
// its own. Prints one figure per stage.
//
// bench_open_file [--keep DIR]   writes the recordings into DIR and leaves them there (to time
//                                 other readers on the same files); else into a temporary folder
// bench_open_file --open FILE     only Open File of FILE: prints the time and the peak memory
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>

#include "core/data_file_reader.h"
#include "core/record_row.h"
#include "files/data_file_loading.h"
#include "files/file_list.h"
#include "files/files.h"
#include "files/list_commands.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"
#include "ui/dialogs.h"

namespace {

constexpr int kWeekLines = 300000;
constexpr int kMillionLines = 1000000;

QByteArray recordingFile(int lines) {
    QByteArray bytes;
    bytes.reserve(qsizetype(lines) * 48);
    for (int i = 1; i <= lines; ++i) {
        core::RecordRow row{{core::recordNumberText(i), core::recordDateText(2024, 3, 5),
                             core::recordTimeText(i / 1800 % 24, i / 30 % 60, i * 2 % 60), "7.012",
                             "pH", "25.3", "'C", "ATC", ""}};
        bytes += row.recordingFileLine();
    }
    return bytes;
}

void report(const char* stage, qint64 nanoseconds, long rows) {
    std::printf("%-28s %9.1f ms  (%ld rows)\n", stage, double(nanoseconds) / 1e6, rows);
    std::fflush(stdout);
}

// Peak resident memory of this process in MB (Linux), 0 where unknown.
double peakMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ')[0].toDouble() / 1024;
    return 0;
}

// Answers the Open File dialog with one name and every message box with OK.
class ChosenFile : public ui::Dialogs {
  public:
    explicit ChosenFile(QString path) : path_(std::move(path)) {}
    Answer message(QWidget*, const QString&, const QString& text, Icon, Buttons) override {
        std::printf("message: %s\n", qPrintable(text));
        return Answer::Ok;
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return path_; }
    QString saveFileName(QWidget*, const QString&, const QString&, ExistingFile) override {
        return {};
    }
    bool printLines(QWidget*, const QString&, const QStringList&, QString*) override {
        return false;
    }
    bool printWidget(QWidget*, QWidget*, QString*) override { return false; }

  private:
    QString path_;
};

// Open File of `path` up to the final caption (the file's name) and the list shown with it.
int openOnly(QApplication& application, const QString& path) {
    ChosenFile dialogs(path);
    ui::setDialogs(&dialogs);
    files::Files lists;
    const QString title = QFileInfo(path).fileName();
    QElapsedTimer clock;
    clock.start();
    qint64 longestStall = 0;
    qint64 lastTick = 0;
    long captions = 0;
    // A timer of the user-interface thread: the gaps between its ticks are the stalls.
    QTimer ticker;
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestStall = std::max(longestStall, now - lastTick);
        lastTick = now;
    });
    ticker.start();
    QTimer::singleShot(0, [&] {
        clock.restart();
        lastTick = 0;
        files::OpenDataFile(lists, nullptr);
    });
    QTimer poll;
    poll.setInterval(1);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        files::FileList* list = lists.findFileList();
        if (!list) return;
        ++captions;
        if (list->windowTitle() != title || list->grid()->rows() <= 1) return;
        const qint64 elapsed = clock.nsecsElapsed();
        longestStall = std::max(longestStall, elapsed - lastTick);
        // Paint the list once, as a person would see it.
        list->grid()->viewport()->repaint();
        std::printf(
            "%-28s %9.1f ms  (%d rows), shown %.1f ms, longest stall %.1f ms, peak %.0f MB\n",
            "Open File to final caption", double(elapsed) / 1e6, list->grid()->rows() - 1,
            double(clock.nsecsElapsed()) / 1e6, double(longestStall) / 1e6, peakMegabytes());
        std::fflush(stdout);
        application.quit();
    });
    poll.start();
    const int result = application.exec();
    ui::setDialogs(nullptr);
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--open"))
        return openOnly(application, arguments[2]);

    QTemporaryDir temporary;
    QString folder = temporary.path();
    if (arguments.size() == 3 && arguments[1] == QStringLiteral("--keep")) folder = arguments[2];
    if (!temporary.isValid() || !QDir().mkpath(folder)) return 1;
    const QString path = QDir(folder).filePath(QStringLiteral("week.dat"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(recordingFile(kWeekLines));
    }

    QElapsedTimer clock;
    clock.start();
    QByteArray bytes;
    QString error;
    if (files::ReadDataFileBytes(path, &bytes, &error) != files::DataFileRead::Complete) return 1;
    report("read file", clock.nsecsElapsed(), 0);
    std::printf("%-28s %9.1f MB\n", "file size", double(bytes.size()) / 1e6);

    clock.restart();
    const core::RowTexts rows =
        core::readDataFile(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    report("parse (core)", clock.nsecsElapsed(), long(rows.size()));

    clock.restart();
    files::RecordGridModel model;
    model.addRows(rows);
    report("model fill", clock.nsecsElapsed(), model.rowCount() - 1);

    clock.restart();
    {
        files::RecordGrid grid;
        grid.resize(460, 330);
        grid.show();
        long progressCalls = 0;
        const long count =
            files::FillGridFromBytes(grid, bytes, [&](long) { ++progressCalls; }).rows;
        report("grid fill (parse + view)", clock.nsecsElapsed(), count);
        std::printf("%-28s %9ld\n", "progress captions", progressCalls);
    }

    // The whole command on the week and on a million lines, each in a process of its own.
    const QString million = QDir(folder).filePath(QStringLiteral("million.dat"));
    {
        QFile file(million);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(recordingFile(kMillionLines));
    }
    for (const QString& file : {path, million}) {
        std::printf("%s, %.1f MB:\n", qPrintable(QFileInfo(file).fileName()),
                    double(QFileInfo(file).size()) / 1e6);
        std::fflush(stdout);
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(application.applicationFilePath(), {QStringLiteral("--open"), file});
        child.waitForFinished(-1);
    }
    return 0;
}
