#pragma once

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>

#include "core/record_row.h"

class QIODevice;

namespace files {

class RecordGrid;

// Largest data file that Open File lists (a week of 2-second readings is about 20 MB).
inline constexpr qint64 kMaxDataFileBytes = qint64(512) * 1024 * 1024;
// Most rows a list takes. A file of that size made of empty or very short lines would otherwise
// need gigabytes for its row index.
inline constexpr long kMaxListRows = 20'000'000;
// Rows read between two progress reports.
inline constexpr long kRowsPerBlock = 5000;

enum class DataFileRead {
    Complete,
    // A read error part-way: the bytes up to the last complete line before it are kept.
    Partly,
    Failed,
};

// Reads a whole data file at once. Refuses what is not a regular file (a device or a pipe could
// block or never end) and files larger than kMaxDataFileBytes. `error` gets the reason when the
// result is not Complete.
DataFileRead ReadDataFileBytes(const QString& path, QByteArray* bytes, QString* error);
// The same from an open device of (expected) size `size`, for files and tests.
DataFileRead ReadDataBytes(QIODevice& device, qint64 size, QByteArray* bytes, QString* error);

struct GridFill {
    long rows = 0;
    bool capped = false;  // the data held more than kMaxListRows rows
};

// The rows of `bytes` by the data-file reading rules, at most kMaxListRows, sharing the bytes
// instead of copying them. `progress` gets the number of rows read after every kRowsPerBlock
// rows. Reading stops early, with the rows read so far, once `cancelled` (if given) is set.
// Touches nothing but its arguments, so that it may run on a worker thread.
struct ParsedRows {
    core::RowTexts rows;
    GridFill fill;
};
ParsedRows ParseDataRows(const QByteArray& bytes, const std::function<void(long rows)>& progress,
                         const std::atomic<bool>* cancelled = nullptr);

// Adds one grid row per item of `bytes` by the data-file reading rules, at most kMaxListRows,
// all in one insertion; the rows share `bytes` instead of copying them. After each block of
// rows read `progress` gets the number of rows so far; the last call gets the total.
GridFill FillGridFromBytes(RecordGrid& grid, const QByteArray& bytes,
                           const std::function<void(long rows)>& progress);

}  // namespace files
