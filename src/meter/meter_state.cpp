#include "meter/meter_state.h"

namespace Meter {
core::MeterReading MeterReading;
}
