#include "files/data_file_load.h"

#include <QCoreApplication>
#include <QThread>

namespace files {

DataFileLoad::DataFileLoad(QByteArray bytes, QObject* parent)
    : QObject(parent), bytes_(std::move(bytes)) {
    // A worker still running when the program ends would read freed memory.
    if (QCoreApplication* application = QCoreApplication::instance())
        connect(application, &QCoreApplication::aboutToQuit, this, &DataFileLoad::stop);
}

DataFileLoad::~DataFileLoad() {
    stop();
}

void DataFileLoad::start() {
    if (thread_) return;
    thread_ = QThread::create([this] {
        parsed_ = ParseDataRows(
            bytes_,
            [this](long rows) {
                QMetaObject::invokeMethod(
                    this, [this, rows] { emit progress(rows); }, Qt::QueuedConnection);
            },
            &cancelled_);
    });
    // Delivered on this object's thread after every progress report the worker posted.
    connect(thread_, &QThread::finished, this, [this] {
        if (!thread_) return;
        thread_->deleteLater();
        thread_ = nullptr;
        bytes_.clear();
        emit finished();
    });
    thread_->start();
}

void DataFileLoad::stop() {
    if (!thread_) return;
    cancelled_ = true;
    thread_->wait();
    delete thread_;
    thread_ = nullptr;
}

}  // namespace files
