#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

class RecordGrid;

namespace FileTransfer {

// Largest data file that Open File lists (a week of 2-second readings is about 20 MB).
inline constexpr qint64 kMaxDataFileBytes = qint64(512) * 1024 * 1024;

// Reads a whole data file at once. Refuses what is not a regular file (a device or a pipe could
// block or never end) and files larger than kMaxDataFileBytes. False with the reason.
bool ReadDataFileBytes(const QString& path, QByteArray* bytes, QString* error);

// Adds one grid row per item of `bytes` by the data-file reading rules, in blocks of rows.
// After each block `progress` gets the number of rows added so far; the last call gets the
// total. Returns the number of rows added.
long FillGridFromBytes(RecordGrid& grid, const QByteArray& bytes,
                       const std::function<void(long rows)>& progress);

// Rows added per block (and per progress report).
inline constexpr long kRowsPerBlock = 5000;

}  // namespace FileTransfer
