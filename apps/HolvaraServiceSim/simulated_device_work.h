// The device service working on a simulated PC instead of the system's devices.
#pragma once

#include <memory>
#include <string>

#include "apps/HolvaraServiceSim/machine_argument.h"
#include "platform/ports/clock.h"
#include "platform/ports/debug_output.h"
#include "service/device_work.h"

namespace holvara {

// Loads the machine file; throws sim::MachineError when it cannot be used. Every removal first
// waits removalMs on the clock. The machine's device names, Unicode (UTF-8 in the file) as Windows
// keeps device properties, reach the service in the code page, as the ANSI functions it reads them
// with give them.
std::unique_ptr<DeviceWork> MakeSimulatedDeviceWork(const ServiceSimArguments& arguments, DebugOutput& debug,
                                                    Clock& clock);

}  // namespace holvara
