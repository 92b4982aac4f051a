#include "meter/readout.h"

namespace meter {

Readout::Readout(QObject* parent) : QObject(parent) {}

}  // namespace meter
