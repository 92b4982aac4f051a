#pragma once

#include <QByteArray>
#include <QObject>
#include <atomic>

#include "files/data_file_loading.h"

class QThread;

namespace files {

// Reads the rows of a data file's bytes on a worker thread, so that the window that lists them
// stays responsive meanwhile, and hands them over on the thread of its parent. Destroying it
// (with its window, or when the program quits) stops the worker and waits for it, which takes
// at most one block of rows.
class DataFileLoad : public QObject {
    Q_OBJECT

  public:
    DataFileLoad(QByteArray bytes, QObject* parent);
    ~DataFileLoad() override;

    void start();
    bool running() const { return thread_ != nullptr; }
    // The rows read, once `finished` has come; taken over by the caller.
    ParsedRows takeRows() { return std::move(parsed_); }

  signals:
    // Rows read so far, after every block of rows.
    void progress(long rows);
    // All rows are read (see takeRows).
    void finished();

  private:
    void stop();

    QByteArray bytes_;
    ParsedRows parsed_;
    std::atomic<bool> cancelled_{false};
    QThread* thread_ = nullptr;
};

}  // namespace files
