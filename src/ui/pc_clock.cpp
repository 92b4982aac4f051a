#include "ui/pc_clock.h"

namespace ui {
namespace {

std::function<QDateTime()>& installed() {
    static std::function<QDateTime()> clock;
    return clock;
}

}  // namespace

QDateTime pcNow() {
    return installed() ? installed()() : QDateTime::currentDateTime();
}

void setPcClock(std::function<QDateTime()> clock) {
    installed() = std::move(clock);
}

}  // namespace ui
