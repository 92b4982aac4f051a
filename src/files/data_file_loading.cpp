#include "files/data_file_loading.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <string>

#include "core/data_file_reader.h"
#include "files/record_grid.h"

namespace FileTransfer {

namespace {

QString tooLarge() {
    return QStringLiteral("The file is larger than %1 MB.").arg(kMaxDataFileBytes >> 20);
}

}  // namespace

bool ReadDataFileBytes(const QString& path, QByteArray* bytes, QString* error) {
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("The file does not exist.");
        return false;
    }
    if (!info.isFile()) {
        *error = QStringLiteral("This is not a data file but a folder or a device.");
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = file.errorString();
        return false;
    }
    if (file.size() > kMaxDataFileBytes) {
        *error = tooLarge();
        return false;
    }
    // Read at most one byte more than allowed, in case the file grows while it is read.
    bytes->resize(file.size() + 1);
    qint64 total = 0;
    while (total <= kMaxDataFileBytes) {
        if (total == bytes->size()) bytes->resize(std::min(total * 2, kMaxDataFileBytes + 1));
        const qint64 got = file.read(bytes->data() + total, bytes->size() - total);
        if (got < 0) {
            *error = file.errorString();
            bytes->clear();
            return false;
        }
        if (got == 0) break;
        total += got;
    }
    bytes->resize(total);
    if (total > kMaxDataFileBytes) {
        *error = tooLarge();
        bytes->clear();
        return false;
    }
    return true;
}

long FillGridFromBytes(RecordGrid& grid, const QByteArray& bytes,
                       const std::function<void(long rows)>& progress) {
    core::DataFileReader reader(std::string_view(bytes.constData(), std::size_t(bytes.size())));
    core::RowTexts block;
    std::string scratch;
    std::string_view item;
    long count = 0;
    while (reader.next(item)) {
        core::appendItemRow(block, item, scratch);
        ++count;
        if (block.size() == std::size_t(kRowsPerBlock)) {
            grid.addRows(block);
            block.clear();
            if (progress) progress(count);
        }
    }
    if (!block.empty()) {
        grid.addRows(block);
        if (progress) progress(count);
    }
    return count;
}

}  // namespace FileTransfer
