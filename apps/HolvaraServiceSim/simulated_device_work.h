// The device service working on a simulated PC instead of the system's devices.
#pragma once

#include <memory>
#include <string>

#include "platform/ports/clock.h"
#include "platform/ports/debug_output.h"
#include "service/device_work.h"

namespace holvara {

// Loads the machine file; throws sim::MachineError when it cannot be used. Every removal first
// waits removalMs on the clock.
std::unique_ptr<DeviceWork> MakeSimulatedDeviceWork(const std::string& machinePath, DebugOutput& debug,
                                                    Clock& clock, std::uint32_t removalMs);

}  // namespace holvara
