#pragma once

#include "core/meter_reading.h"

// The decoded meter state, shared with every window that reads the meter.
namespace Meter {
extern core::MeterReading MeterReading;
}
