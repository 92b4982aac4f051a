#include "recording/recording_writer.h"

#include <pthread.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "files/file_transfer.h"

namespace recording {

namespace {

using Clock = std::chrono::steady_clock;

// Lines reach the disk at least this often while they come in.
constexpr auto kSyncPeriod = std::chrono::seconds(1);
// How long the end of the program waits for a stalled disk.
constexpr auto kFinishWait = std::chrono::seconds(5);

struct Command {
    enum class Kind { Begin, Line, End } kind;
    quint64 recording = 0;
    std::unique_ptr<files::RecordingFile> file;
    std::string line;
    long number = 0;
};

}  // namespace

struct RecordingWriter::Shared {
    mutable std::mutex mutex;
    std::condition_variable wake;
    mutable std::condition_variable settled;
    std::deque<Command> queue;
    bool busy = false;      // the worker handles a command
    bool unsynced = false;  // lines written since the last sync
    bool stopping = false;
    bool finished = false;
    // Null once the owner is gone; reports are sent under the mutex.
    RecordingWriter* owner = nullptr;
    Figures figures;
};

RecordingWriter::RecordingWriter(QObject* parent)
    : QObject(parent), shared_(std::make_shared<Shared>()) {
    shared_->owner = this;
    std::thread(&RecordingWriter::run, shared_).detach();
}

RecordingWriter::~RecordingWriter() {
    std::unique_lock lock(shared_->mutex);
    shared_->owner = nullptr;
    shared_->stopping = true;
    shared_->wake.notify_all();
    // Past the wait the worker finishes alone; it holds everything it needs.
    shared_->settled.wait_for(lock, kFinishWait, [this] { return shared_->finished; });
}

quint64 RecordingWriter::begin(std::unique_ptr<files::RecordingFile> file) {
    const quint64 recording = ++lastRecording_;
    std::lock_guard lock(shared_->mutex);
    shared_->queue.push_back({Command::Kind::Begin, recording, std::move(file), {}, 0});
    shared_->wake.notify_all();
    return recording;
}

void RecordingWriter::append(std::string line, long number) {
    std::lock_guard lock(shared_->mutex);
    shared_->queue.push_back(
        {Command::Kind::Line, lastRecording_, nullptr, std::move(line), number});
    shared_->wake.notify_all();
}

void RecordingWriter::end() {
    std::lock_guard lock(shared_->mutex);
    shared_->queue.push_back({Command::Kind::End, lastRecording_, nullptr, {}, 0});
    shared_->wake.notify_all();
}

RecordingWriter::Figures RecordingWriter::figures() const {
    std::lock_guard lock(shared_->mutex);
    return shared_->figures;
}

bool RecordingWriter::waitUntilSettled(int timeoutMs) const {
    std::unique_lock lock(shared_->mutex);
    return shared_->settled.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] {
        return shared_->queue.empty() && !shared_->busy && !shared_->unsynced;
    });
}

void RecordingWriter::run(std::shared_ptr<Shared> shared) {
    pthread_setname_np(pthread_self(), "recording-file");
    std::unique_ptr<files::RecordingFile> file;
    quint64 recording = 0;
    long linesKept = 0;
    Clock::time_point lastSync = Clock::now();

    // Reports go out under the mutex, so the owner cannot be destroyed meanwhile.
    const auto report = [&](auto&& emitReport) {
        std::lock_guard lock(shared->mutex);
        if (shared->owner) emitReport(shared->owner);
    };
    const auto fail = [&](const QString& reason) {
        const QString path = file->path();
        file.reset();
        report([&](RecordingWriter* owner) {
            emit owner->failed(recording, path, reason, linesKept);
        });
    };
    const auto sync = [&] {
        lastSync = Clock::now();
        {
            std::lock_guard lock(shared->mutex);
            shared->unsynced = false;
        }
        if (!file) return;
        QString reason;
        const bool ok = file->sync(&reason);
        const double ms =
            std::chrono::duration<double, std::milli>(Clock::now() - lastSync).count();
        {
            std::lock_guard lock(shared->mutex);
            ++shared->figures.syncs;
            shared->figures.longestSyncMs = std::max(shared->figures.longestSyncMs, ms);
        }
        if (!ok) fail(reason);
    };
    const auto close = [&] {
        if (file) sync();
        file.reset();
    };

    std::unique_lock lock(shared->mutex);
    for (;;) {
        if (shared->queue.empty()) {
            if (shared->stopping) break;  // the file is forced and closed below
            if (shared->unsynced) {
                if (!shared->wake.wait_until(lock, lastSync + kSyncPeriod, [&] {
                        return !shared->queue.empty() || shared->stopping;
                    })) {
                    lock.unlock();
                    sync();
                    lock.lock();
                    shared->settled.notify_all();
                }
                continue;
            }
            shared->settled.notify_all();
            shared->wake.wait(lock, [&] { return !shared->queue.empty() || shared->stopping; });
            continue;
        }
        Command command = std::move(shared->queue.front());
        shared->queue.pop_front();
        shared->busy = true;
        lock.unlock();

        switch (command.kind) {
            case Command::Kind::Begin:
                close();
                file = std::move(command.file);
                recording = command.recording;
                linesKept = 0;
                break;
            case Command::Kind::Line: {
                // Lines of a recording that failed or ended are dropped.
                if (!file || command.recording != recording) break;
                QString reason;
                if (!file->appendLine(command.line, &reason)) {
                    fail(reason);
                    break;
                }
                linesKept = command.number;
                {
                    std::lock_guard guard(shared->mutex);
                    shared->unsynced = true;
                }
                report([&](RecordingWriter* owner) {
                    emit owner->lineWritten(recording, command.number);
                });
                if (Clock::now() - lastSync >= kSyncPeriod) sync();
                break;
            }
            case Command::Kind::End:
                if (command.recording == recording) close();
                break;
        }

        lock.lock();
        shared->busy = false;
    }
    lock.unlock();
    close();
    lock.lock();
    shared->finished = true;
    shared->settled.notify_all();
}

}  // namespace recording
