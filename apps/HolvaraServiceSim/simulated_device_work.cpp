#include "apps/HolvaraServiceSim/simulated_device_work.h"

#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"

namespace holvara {

namespace {

// Owns the simulated PC that the device service's ports point into. Requests run one at a time on
// worker threads that the host joins, so the machine needs no lock.
class SimulatedDeviceWork final : public DeviceWork {
 public:
  SimulatedDeviceWork(const std::string& machinePath, DebugOutput& debug)
      : pc_(sim::SimulatedPc::FromFile(machinePath)),
        service_(DevicePorts{pc_.tree(), pc_.interfaces(), pc_.storage(), pc_.wmi(), debug}) {}

  std::uint32_t Refresh(std::uint32_t searchCode) override { return service_.Refresh(searchCode); }
  DeviceRecord Record(std::uint8_t index) override { return service_.Record(index); }
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) override {
    return service_.CheckBasicDisk(diskNumber);
  }
  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override {
    return service_.Remove(hardwareId, deviceObjectName);
  }
  std::uint32_t Rescan() override { return service_.Rescan(); }

 private:
  sim::SimulatedPc pc_;
  DeviceService service_;
};

}  // namespace

std::unique_ptr<DeviceWork> MakeSimulatedDeviceWork(const std::string& machinePath,
                                                    DebugOutput& debug) {
  return std::make_unique<SimulatedDeviceWork>(machinePath, debug);
}

}  // namespace holvara
