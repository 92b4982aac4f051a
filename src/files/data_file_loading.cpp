#include "files/data_file_loading.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <string>

#include "core/byte_scan.h"
#include "core/data_file_reader.h"
#include "files/record_grid.h"

namespace files {

namespace {

QString tooLarge() {
    return QStringLiteral("The file is larger than %1 MB.").arg(kMaxDataFileBytes >> 20);
}

}  // namespace

DataFileRead ReadDataFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("The file does not exist.");
        return DataFileRead::Failed;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("This is not a data file but a folder or a device.");
        return DataFileRead::Failed;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return DataFileRead::Failed;
    }
    return ReadDataBytes(file, file.size(), bytes, error);
}

DataFileRead ReadDataBytes(QIODevice& device, qint64 size, QByteArray* bytes, QString* error) {
    if (size > kMaxDataFileBytes) {
        *error = tooLarge();
        return DataFileRead::Failed;
    }
    // Read at most one byte more than allowed, in case the file grows while it is read.
    bytes->resize(std::max<qint64>(size, 0) + 1);
    qint64 total = 0;
    while (total <= kMaxDataFileBytes) {
        if (total == bytes->size()) bytes->resize(std::min(total * 2, kMaxDataFileBytes + 1));
        const qint64 got = device.read(bytes->data() + total, bytes->size() - total);
        if (got < 0) {
            *error = device.errorString();
            // Keep the complete lines read before the error; a line cut by it is not a record.
            const qsizetype lastEnd = bytes->left(total).lastIndexOf('\n');
            const qsizetype lastCr = bytes->left(total).lastIndexOf('\r');
            bytes->resize(std::max(lastEnd, lastCr) + 1);
            return bytes->isEmpty() ? DataFileRead::Failed : DataFileRead::Partly;
        }
        if (got == 0) break;
        total += got;
    }
    bytes->resize(total);
    if (total > kMaxDataFileBytes) {
        *error = tooLarge();
        bytes->clear();
        return DataFileRead::Failed;
    }
    return DataFileRead::Complete;
}

ParsedRows ParseDataRows(const QByteArray& bytes, const std::function<void(long rows)>& progress,
                         const std::atomic<bool>* cancelled) {
    // The rows stay views into the file's bytes (shared, not copied): a million rows take one
    // pass over the bytes.
    const auto keeper = std::make_shared<const QByteArray>(bytes);
    const std::string_view view(keeper->constData(), std::size_t(keeper->size()));
    ParsedRows parsed;
    core::RowTexts& rows = parsed.rows;
    rows.shareBytes(view, keeper);
    const std::size_t lines = core::byte_scan::countBytes(view.data(), view.size(), '\n') + 1;
    rows.reserve(std::min(lines, std::size_t(kMaxListRows)), 0);

    core::DataFileReader reader(view);
    std::string scratch;
    std::string_view item;
    GridFill& fill = parsed.fill;
    while (reader.next(item)) {
        if (fill.rows == kMaxListRows) {
            fill.capped = true;
            break;
        }
        core::appendSharedItemRow(rows, item, scratch);
        ++fill.rows;
        if (fill.rows % kRowsPerBlock == 0) {
            if (progress) progress(fill.rows);
            if (cancelled && cancelled->load(std::memory_order_relaxed)) break;
        }
    }
    return parsed;
}

GridFill FillGridFromBytes(RecordGrid& grid, const QByteArray& bytes,
                           const std::function<void(long rows)>& progress) {
    ParsedRows parsed = ParseDataRows(bytes, progress);
    // All rows in one insertion: one update of the view.
    grid.addRows(std::move(parsed.rows));
    if (parsed.fill.rows % kRowsPerBlock != 0 && progress) progress(parsed.fill.rows);
    return parsed.fill;
}

}  // namespace files
