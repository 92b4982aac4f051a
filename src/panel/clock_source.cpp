#include "panel/clock_source.h"

namespace panel {
namespace {
std::function<QDateTime()>& source() {
    static std::function<QDateTime()> clock;
    return clock;
}
}  // namespace

QDateTime currentDateTime() {
    return source() ? source()() : QDateTime::currentDateTime();
}

void setClockSource(std::function<QDateTime()> clock) {
    source() = std::move(clock);
}

}  // namespace panel
