#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

#include "files/file_transfer.h"

namespace files {

namespace {

QString systemReason(int error) {
    return qt_error_string(error);
}

// What a file must get before new lines so that they start on a line of their own: nothing
// when it is empty or ends with LF, LF after a lone CR, else CR LF. A file that cannot be read
// is taken as it is.
std::string missingLineEndOf(const QByteArray& nativePath) {
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {};
    std::string missing;
    struct stat info {};
    char last = 0;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        ::pread(fd, &last, 1, info.st_size - 1) == 1 && last != '\n')
        missing = last == '\r' ? "\n" : "\r\n";
    ::close(fd);
    return missing;
}

}  // namespace

std::unique_ptr<RecordingFile> RecordingFile::open(const QString& path, QString* error) {
    if (path.isEmpty()) {
        if (error) *error = QStringLiteral("No file name was given.");
        return nullptr;
    }
    const QByteArray nativePath = QFile::encodeName(path);
    // Opened without waiting: a named pipe that has no reader is refused instead of holding up
    // the window.
    const int fd = ::open(nativePath.constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666);
    if (fd < 0) {
        if (error) *error = systemReason(errno);
        return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return std::unique_ptr<RecordingFile>(
        new RecordingFile(fd, path, missingLineEndOf(nativePath)));
}

RecordingFile::RecordingFile(int fd, QString path, std::string missingLineEnd)
    : fd_(fd), path_(std::move(path)), missingLineEnd_(std::move(missingLineEnd)) {}

RecordingFile::~RecordingFile() {
    ::close(fd_);
}

bool RecordingFile::appendLine(std::string_view line, QString* error) {
    std::string bytes = missingLineEnd_;
    bytes += line;
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
        if (n > 0) {
            written += std::size_t(n);
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        const int reason = n < 0 ? errno : ENOSPC;
        // Take back the part of the line that did reach the file.
        struct stat info {};
        if (written > 0 && ::fstat(fd_, &info) == 0 && info.st_size >= off_t(written))
            (void)::ftruncate(fd_, info.st_size - off_t(written));
        if (error) *error = systemReason(reason);
        return false;
    }
    missingLineEnd_.clear();
    return true;
}

bool RecordingFile::sync(QString* error) {
    if (::fdatasync(fd_) == 0) return true;
    // A file that cannot be synced (a pipe or a terminal given as the file) has nothing to force.
    if (errno == EINVAL || errno == EROFS) return true;
    if (error) *error = systemReason(errno);
    return false;
}

}  // namespace files
