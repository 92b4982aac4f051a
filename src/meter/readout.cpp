#include "meter/readout.h"

namespace meter {

Readout::Readout(QObject* parent) : QObject(parent), state_(State) {
    state_ = ReadoutState{};
}

}  // namespace meter
