// A device service on a simulated PC described inline, for the device work's tests.
#pragma once

#include <string>
#include <string_view>

#include "common/text_field.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"

namespace holvara {

struct DeviceRig {
  explicit DeviceRig(std::string_view machineJson) : pc(sim::LoadMachine(machineJson)) {}

  std::string Letters(std::uint8_t slot) { return std::string(ReadField(service.Record(slot).driveLetters)); }

  sim::SimulatedPc pc;
  DevicePorts ports{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), pc.debug(), pc.eventLog(), pc.volumeNames()};
  DeviceService service{ports};
};

}  // namespace holvara
