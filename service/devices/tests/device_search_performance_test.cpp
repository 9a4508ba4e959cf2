#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>

#include "platform/sim/simulated_pc.h"
#include "service/devices/device_service.h"

namespace holvara {
namespace {

// The generated machine of several thousand nodes, searched with every node matching.
TEST(DeviceSearchPerformance, AllDevicesOnALargeMachineBuildsEachInterfaceSetOnce) {
  const auto path = std::filesystem::path(__FILE__).parent_path() / "../../../examples/machines/large.json";
  sim::SimulatedPc pc(sim::LoadMachineFile(path.string()));
  ASSERT_GE(pc.machine().nodes.size(), 5000u);
  DevicePorts ports{pc.tree(), pc.interfaces(), pc.storage(), pc.wmi(), pc.debug(), pc.eventLog(), pc.volumeNames()};
  DeviceService service(ports);

  const auto start = std::chrono::steady_clock::now();
  const std::uint32_t count = service.Refresh(SEARCH_ALL_DEVICES);
  const auto elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start);

  EXPECT_EQ(count, 24u);
  EXPECT_LE(service.list().lastInterfaceSetBuilds(), 3u);
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
  EXPECT_LT(elapsed.count(), 50.0);
#endif
  RecordProperty("command0_ms", std::to_string(elapsed.count()));
  RecordProperty("interface_set_builds", static_cast<int>(service.list().lastInterfaceSetBuilds()));
  std::printf("command 0 with SEARCH_ALL_DEVICES on %zu nodes: %.2f ms, %zu interface set builds\n",
              pc.machine().nodes.size(), elapsed.count(), service.list().lastInterfaceSetBuilds());
}

}  // namespace
}  // namespace holvara
