// Times "Save As CSV" of a listed 1 000 000-row file: the CSV text of the rows alone (core), and
// the whole write of the list's grid to a file. Prints the figures and the file's size.
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "core/csv_export.h"
#include "core/record_row.h"
#include "files/file_transfer.h"
#include "files/record_grid.h"
#include "files/record_grid_model.h"

namespace {

constexpr int kRows = 1000000;

core::RowTexts listRows(int count) {
    core::RowTexts rows;
    for (int i = 1; i <= count; ++i) {
        core::RecordRow row{{core::recordNumberText(i),
                             core::recordDateText(2024, 3, 5 + i / 43200),
                             core::recordTimeText(i / 1800 % 24, i / 30 % 60, i * 2 % 60),
                             i % 997 == 0 ? "- . - - -" : "7.012", "pH", "25.3", "'C", "ATC",
                             i % 10 == 0 ? "Low" : ""}};
        rows.append(row.tabText());
    }
    return rows;
}

void report(const char* stage, qint64 nanoseconds) {
    std::printf("%-28s %9.1f ms  (%d rows)\n", stage, double(nanoseconds) / 1e6, kRows);
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid()) return 1;
    const core::RowTexts rows = listRows(kRows);

    QElapsedTimer clock;
    clock.start();
    std::string text = core::CsvHeaderLine();
    for (std::size_t r = 0; r < rows.size(); ++r) core::AppendCsvRecord(text, rows.row(r));
    report("CSV text (core)", clock.nsecsElapsed());

    files::RecordGrid grid;
    grid.addRows(rows);
    const QString path = dir.filePath("week.csv");
    clock.restart();
    QString error;
    if (!files::WriteCsvFile(grid, path, &error)) {
        std::printf("write failed: %s\n", qPrintable(error));
        return 1;
    }
    report("write CSV file", clock.nsecsElapsed());
    std::printf("%-28s %9.1f MB\n", "file size", double(QFileInfo(path).size()) / 1e6);
    return 0;
}
