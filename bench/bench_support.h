// What several benchmarks measure alike: CPU time, resident memory, the largest logged set.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QList>
#include <QString>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>

#include <QTest>
#include <memory>

#include "app/panel_start.h"
#include "app/simulated_meter.h"
#include "meter/display_poll.h"
#include "panel/panel.h"
#include "sim/meter_model.h"
#include "ui/dialogs.h"

namespace bench {

// The panel started on COM1 opening `meter`, once its display poll has run two ticks; null when
// the start-up failed.
inline std::unique_ptr<app::Session> startPanelOn(const sim::MeterSim& meter) {
    std::unique_ptr<app::Session> session = app::StartPanel(1, {}, app::PortsWithMeter(meter));
    if (!session) return nullptr;
    const panel::Panel* panel = session->panel();
    (void)QTest::qWaitFor([&] { return panel->displayPoll()->ticks() >= 2; }, 5000);
    return session;
}

// CPU seconds (user + system) of the process (RUSAGE_SELF) or the calling thread
// (RUSAGE_THREAD).
inline double cpuSeconds(int who = RUSAGE_SELF) {
    rusage usage{};
    getrusage(who, &usage);
    auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Resident memory of the process in bytes (Linux), 0 where unknown.
inline long long residentBytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly)) return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

// The largest logged set the meter's memory takes: header and records up to just below the
// memory's end, pH and mV records alternating, now and then one over range.
inline sim::LoggedSet fullLoggedSet() {
    sim::LoggedSet set{sim::DateTime{2024, 12, 31, 23, 0, 0}, 2, {}};
    const std::size_t records =
        (sim::MeterModel::kSetMemoryLimit - 1 - sim::kSetHeaderSize) / sim::kLoggedRecordSize;
    for (std::size_t i = 0; i < records; ++i) {
        sim::Sample s{i % 2 ? sim::MainUnit::Mv : sim::MainUnit::Ph, i % 2 ? -123.4 : 7.012,
                      sim::TempUnit::Celsius, 25.0 + static_cast<double>(i % 100) / 10};
        s.overRange = i % 997 == 0;
        set.records.push_back(s);
    }
    return set;
}

// Runs the event loop as the program's main loop does, sleeping until the next event, for `ms`
// or until `done` holds (looked at every `checkEveryMs`). QTest::qWait would wake the thread
// every few milliseconds and measure its own cost instead of the program's. Returns done().
inline bool runEventLoop(int ms, const std::function<bool()>& done = {}, int checkEveryMs = 250) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    QTimer check;
    if (done) {
        QObject::connect(&check, &QTimer::timeout, &loop, [&] {
            if (done()) loop.quit();
        });
        check.start(checkEveryMs);
    }
    if (!done || !done()) loop.exec();
    return done && done();
}

// Answers the interval box with 1, the Save As dialog with the recording file and a question
// with Yes; other messages are printed.
struct RecordingDialogs : ui::Dialogs {
    QString file;
    Answer message(QWidget*, const QString& title, const QString& text, Icon,
                   Buttons buttons) override {
        std::fprintf(stderr, "message: %s: %s\n", qPrintable(title), qPrintable(text));
        return buttons == Buttons::YesNo ? Answer::Yes : Answer::Ok;
    }
    QString input(QWidget*, const QString&, const QString&, const QString&) override {
        return QStringLiteral("1");
    }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, ExistingFile) override {
        return file;
    }
    bool printLines(QWidget*, const QString&, const QStringList&, QString*) override {
        return false;
    }
    bool printWidget(QWidget*, QWidget*, QString*) override { return false; }
};

// The window thread's stalls: how late a 100 ms timer fires, from start() on.
class StallWatch {
  public:
    StallWatch() {
        beat_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&beat_, &QTimer::timeout, [this] {
            const qint64 t = clock_.nsecsElapsed();
            longestMs_ = std::max(longestMs_, double(t - last_) / 1e6 - kBeatMs);
            last_ = t;
        });
    }
    void start() {
        clock_.start();
        last_ = clock_.nsecsElapsed();
        longestMs_ = 0;
        beat_.start(kBeatMs);
    }
    void stop() { beat_.stop(); }
    double longestMs() const { return longestMs_; }

  private:
    static constexpr int kBeatMs = 100;
    QElapsedTimer clock_;
    QTimer beat_;
    qint64 last_ = 0;
    double longestMs_ = 0;
};

}  // namespace bench
