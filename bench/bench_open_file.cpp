// Times Open File's stages on a week of 2-second readings (300 000 recording lines): reading
// the file, parsing it by the data-file rules, filling the grid model, and the whole fill of a
// shown list grid. Prints one figure per stage.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "core/data_file_reader.h"
#include "core/record_row.h"
#include "files/data_file_loading.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"

namespace {

constexpr int kLines = 300000;

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
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const QString path = dir.filePath("week.dat");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) return 1;
        file.write(recordingFile(kLines));
    }

    QElapsedTimer clock;
    clock.start();
    QByteArray bytes;
    QString error;
    if (FileTransfer::ReadDataFileBytes(path, &bytes, &error) !=
        FileTransfer::DataFileRead::Complete)
        return 1;
    report("read file", clock.nsecsElapsed(), 0);
    std::printf("%-28s %9.1f MB\n", "file size", double(bytes.size()) / 1e6);

    clock.restart();
    const core::RowTexts rows =
        core::readDataFile(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    report("parse (core)", clock.nsecsElapsed(), long(rows.size()));

    clock.restart();
    RecordGridModel model;
    model.addRows(rows);
    report("model fill", clock.nsecsElapsed(), model.rowCount() - 1);

    clock.restart();
    RecordGrid grid;
    grid.resize(460, 330);
    grid.show();
    long progressCalls = 0;
    const long count =
        FileTransfer::FillGridFromBytes(grid, bytes, [&](long) { ++progressCalls; }).rows;
    report("grid fill (parse + view)", clock.nsecsElapsed(), count);
    std::printf("%-28s %9ld\n", "progress captions", progressCalls);

    // A million rows: fill time and storage.
    core::RowTexts million;
    for (int i = 0; i < 4; ++i) million.append(rows);
    clock.restart();
    RecordGridModel big;
    big.addRows(million);
    report("model fill, 1.2M rows", clock.nsecsElapsed(), big.rowCount() - 1);
    std::printf("%-28s %9.1f MB text + %.1f MB offsets\n", "model storage",
                double(big.dataRows().byteSize()) / 1e6,
                double(big.dataRows().size() * sizeof(std::size_t)) / 1e6);
    return 0;
}
