// The one place that decides which device work the service program runs.
#pragma once

#include <memory>

#include "platform/ports/debug_output.h"
#include "service/device_work.h"

namespace holvara {

// The device work on the real system, with the adapters it owns.
std::unique_ptr<DeviceWork> MakeDeviceWork(DebugOutput& debug);

}  // namespace holvara
