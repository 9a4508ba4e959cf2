#include "apps/HolvaraServiceSim/simulated_device_work.h"

#include <windows.h>

#include "platform/sim/machine_loader.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"

namespace holvara {

namespace {

std::string InCodePage(const std::string& utf8, UINT codePage) {
  const int wideLength = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  if (wideLength <= 0) return utf8;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), wideLength);
  const int length = WideCharToMultiByte(codePage, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
  if (length <= 0) return utf8;
  std::string text(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, wide.data(), wideLength, text.data(), length, nullptr, nullptr);
  return text;
}

sim::Machine LoadInCodePage(const std::string& machinePath, UINT codePage) {
  sim::Machine machine = sim::LoadMachineFile(machinePath);
  for (sim::Node& node : machine.nodes) {
    if (node.description) node.description = InCodePage(*node.description, codePage);
    if (node.friendlyName) node.friendlyName = InCodePage(*node.friendlyName, codePage);
    if (!node.veto) continue;
    node.veto->component = InCodePage(node.veto->component, codePage);
    for (sim::HoldingProgram& program : node.veto->programs) program.image = InCodePage(program.image, codePage);
  }
  return machine;
}

// The simulated PC, as a base so that it exists before the service that points into it.
struct SimulatedMachine {
  SimulatedMachine(const std::string& machinePath, UINT codePage) : pc(LoadInCodePage(machinePath, codePage)) {}
  sim::SimulatedPc pc;
};

// Requests run one at a time on worker threads that the host joins, so the machine needs no lock.
class SimulatedDeviceWork final : private SimulatedMachine, public DeviceService {
 public:
  SimulatedDeviceWork(const ServiceSimArguments& arguments, DebugOutput& debug, Clock& clock)
      : SimulatedMachine(arguments.machinePath, arguments.codePage ? arguments.codePage : CP_ACP),
        DeviceService(
            DevicePorts{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), debug, pc.eventLog(), pc.volumeNames()}),
        clock_(clock),
        removalMs_(arguments.removalMs) {}

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

std::unique_ptr<DeviceWork> MakeSimulatedDeviceWork(const ServiceSimArguments& arguments, DebugOutput& debug,
                                                    Clock& clock) {
  return std::make_unique<SimulatedDeviceWork>(arguments, debug, clock);
}

}  // namespace holvara
