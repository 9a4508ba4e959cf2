// A simulated PC: one machine and the device adapters that answer from it.
#pragma once

#include <string>
#include <string_view>

#include "platform/sim/machine.h"
#include "platform/sim/machine_loader.h"
#include "platform/sim/recording_debug_output.h"
#include "platform/sim/sim_device_interfaces.h"
#include "platform/sim/sim_device_tree.h"
#include "platform/sim/sim_event_log.h"
#include "platform/sim/sim_storage.h"
#include "platform/sim/sim_wmi.h"

namespace holvara::sim {

class SimulatedPc {
 public:
  explicit SimulatedPc(Machine machine)
      : machine_(std::move(machine)),
        tree_(machine_),
        interfaces_(machine_),
        storage_(machine_),
        wmi_(machine_),
        eventLog_(machine_),
        volumeNames_(machine_) {}
  SimulatedPc(const SimulatedPc&) = delete;
  SimulatedPc& operator=(const SimulatedPc&) = delete;

  // Throw MachineError for a description that cannot be used.
  static SimulatedPc FromJson(std::string_view text) { return SimulatedPc(LoadMachine(text)); }
  static SimulatedPc FromFile(const std::string& path) { return SimulatedPc(LoadMachineFile(path)); }

  Machine& machine() { return machine_; }
  SimDeviceTree& tree() { return tree_; }
  SimDeviceInterfaces& interfaces() { return interfaces_; }
  SimStorage& storage() { return storage_; }
  SimWmi& wmi() { return wmi_; }
  SimEventLog& eventLog() { return eventLog_; }
  SimVolumeNames& volumeNames() { return volumeNames_; }
  RecordingDebugOutput& debug() { return debug_; }

 private:
  Machine machine_;
  SimDeviceTree tree_;
  SimDeviceInterfaces interfaces_;
  SimStorage storage_;
  SimWmi wmi_;
  SimEventLog eventLog_;
  SimVolumeNames volumeNames_;
  RecordingDebugOutput debug_;
};

}  // namespace holvara::sim
