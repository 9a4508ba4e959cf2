// The machine-description loader: any bytes give a machine or one MachineError, never another
// exception or a crash. A machine it accepts holds together (every index points where it should)
// and the device service runs on it.
#include <algorithm>
#include <string_view>

#include "common/text_field.h"
#include "platform/sim/machine_loader.h"
#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"
#include "tests/fuzz/fuzz_support.h"

namespace holvara {
namespace {

void CheckMachine(const sim::Machine& machine) {
  FUZZ_CHECK(!machine.nodes.empty());
  FUZZ_CHECK(!machine.nodes[0].parent);
  for (std::size_t i = 0; i < machine.nodes.size(); ++i) {
    const sim::Node& node = machine.nodes[i];
    if (i > 0) {
      FUZZ_CHECK(node.parent && *node.parent < i);
      const auto& siblings = machine.nodes[*node.parent].children;
      FUZZ_CHECK(node.indexInParent < siblings.size() && siblings[node.indexInParent] == i);
    }
    for (const std::size_t child : node.children) FUZZ_CHECK(child > i && child < machine.nodes.size());
    if (node.unit) FUZZ_CHECK(*node.unit < machine.units.size() && machine.units[*node.unit].node == i);
  }
  for (const sim::StorageUnit& unit : machine.units) {
    if (unit.node) FUZZ_CHECK(*unit.node < machine.nodes.size());
  }
  for (const sim::Volume& volume : machine.volumes) {
    FUZZ_CHECK(volume.letter >= 'A' && volume.letter <= 'Z');
    FUZZ_CHECK(!volume.units.empty());
    for (const std::size_t unit : volume.units) FUZZ_CHECK(unit < machine.units.size());
  }
}

// Every command of the device service, on the loaded machine.
void RunDeviceService(sim::Machine machine) {
  sim::SimulatedPc pc(std::move(machine));
  fuzz::DiscardingDebugOutput debug;
  DeviceService service({pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), debug, pc.eventLog(), pc.volumeNames()});
  FUZZ_CHECK(service.Refresh(0x7F) <= kDeviceTableSlots);
  for (std::uint8_t index = 0; index < kDeviceTableSlots; ++index) {
    const DeviceRecord record = service.Record(index);
    FUZZ_CHECK(record.present == 0 || record.present == 1);
    FUZZ_CHECK(fuzz::IsTerminated(record.deviceObjectName) && fuzz::IsTerminated(record.hardwareId));
    if (record.present == 1) {
      FUZZ_CHECK(service.CheckBasicDisk(record.deviceNumber) <= 1);
      // A refused removal's report: its texts end inside their fields, its count fits the record.
      const RemovalReport report =
          service.RemoveWithReport(ReadField(record.hardwareId), ReadField(record.deviceObjectName));
      FUZZ_CHECK(report.result <= 1 && report.programCount <= kMaxBlockingPrograms);
      FUZZ_CHECK(fuzz::IsTerminated(report.vetoName));
      for (const BlockingProgram& program : report.programs) FUZZ_CHECK(fuzz::IsTerminated(program.imagePath));
      FUZZ_CHECK(service.Remove(ReadField(record.hardwareId), ReadField(record.deviceObjectName)) <= 1);
    }
  }
  FUZZ_CHECK(service.Rescan() <= 1);
  FUZZ_CHECK(service.Refresh(0x7F) <= kDeviceTableSlots);
}

}  // namespace
}  // namespace holvara

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace holvara;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  sim::Machine machine;
  try {
    machine = sim::LoadMachine(text, "fuzz");
  } catch (const sim::MachineError& error) {
    FUZZ_CHECK(std::string_view(error.what()).starts_with("fuzz: "));
    return 0;
  }
  CheckMachine(machine);
  RunDeviceService(std::move(machine));
  return 0;
}
