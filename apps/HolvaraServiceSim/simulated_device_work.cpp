#include "apps/HolvaraServiceSim/simulated_device_work.h"

#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"

namespace holvara {

namespace {

// The simulated PC, as a base so that it exists before the service that points into it.
struct SimulatedMachine {
  explicit SimulatedMachine(const std::string& machinePath) : pc(sim::SimulatedPc::FromFile(machinePath)) {}
  sim::SimulatedPc pc;
};

// Requests run one at a time on worker threads that the host joins, so the machine needs no lock.
class SimulatedDeviceWork final : private SimulatedMachine, public DeviceService {
 public:
  SimulatedDeviceWork(const std::string& machinePath, DebugOutput& debug, Clock& clock, std::uint32_t removalMs)
      : SimulatedMachine(machinePath),
        DeviceService(DevicePorts{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), debug, pc.eventLog(), pc.volumeNames()}),
        clock_(clock),
        removalMs_(removalMs) {}

  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override {
    clock_.SleepMs(removalMs_);
    return DeviceService::Remove(hardwareId, deviceObjectName);
  }
  RemovalReport RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) override {
    clock_.SleepMs(removalMs_);
    return DeviceService::RemoveWithReport(hardwareId, deviceObjectName);
  }

 private:
  Clock& clock_;
  std::uint32_t removalMs_;
};

}  // namespace

std::unique_ptr<DeviceWork> MakeSimulatedDeviceWork(const std::string& machinePath, DebugOutput& debug,
                                                    Clock& clock, std::uint32_t removalMs) {
  return std::make_unique<SimulatedDeviceWork>(machinePath, debug, clock, removalMs);
}

}  // namespace holvara
