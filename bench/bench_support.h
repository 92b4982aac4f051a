// What several benchmarks measure alike: CPU time, resident memory, the largest logged set.
#pragma once

#include <sys/resource.h>
#include <unistd.h>

#include <QFile>
#include <QList>

#include "sim/meter_model.h"

namespace bench {

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

}  // namespace bench
