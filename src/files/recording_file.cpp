#include <QFile>
#include <memory>

#include "files/file_transfer.h"

namespace FileTransfer {

bool OpenRecordingFile(const QString& path, QString* error) {
    CloseRecordingFile();
    auto file = std::make_shared<QFile>(path);
    // Unbuffered: every line reaches the file as soon as it is written.
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        if (error) *error = file->errorString();
        return false;
    }
    State.RecordingFile = std::move(file);
    return true;
}

bool AppendRecordingLine(const core::RecordRow& row, QString* error) {
    QFile* file = State.RecordingFile.get();
    if (!file) {
        if (error) *error = QStringLiteral("No recording file is open.");
        return false;
    }
    const std::string line = row.recordingFileLine();
    const qint64 size = qint64(line.size());
    if (file->write(line.data(), size) == size) return true;
    if (error) *error = file->errorString();
    return false;
}

bool RecordingFileIsOpen() {
    return State.RecordingFile != nullptr;
}

void CloseRecordingFile() {
    State.RecordingFile.reset();
}

}  // namespace FileTransfer
