// The main window's timers and broadcasts: the wait for the service and the start-up rescan, the
// delayed refresh after device changes, and the power events.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "tray/frame/power_events.h"
#include "tray/frame/system_messages.h"
#include "tray/frame/tests/frame_fixture.h"

namespace holvara {
namespace {

using Log = std::vector<std::string>;

class TimerTest : public FrameTest {
 protected:
  bool Waiting() { return desktop.Property(frame->id(), kWaitingForServiceMarker) != 0; }
  void DeviceChange(std::uint64_t atMs, std::uintptr_t event) {
    desktop.At(atMs, [this, event] { desktop.Post(frame->id(), win::kWmDeviceChange, event, 0); });
  }
  // The icon calls made so far, as "add@time" and "delete@time".
  Log IconCalls() {
    Log calls;
    for (const SimNotifyCall& call : area.calls()) {
      const char* name = call.operation == SimNotifyOperation::kAdd ? "add" : "delete";
      calls.push_back(name + ("@" + std::to_string(call.timeMs)));
    }
    return calls;
  }
};

TEST_F(TimerTest, WaitsForTheServiceThenRescansRefreshesAndShowsTheIcon) {
  host->show = 1;
  host->serviceReachable = false;
  desktop.StartTimer(frame->id(), kServiceWaitTimerId, 2000);
  desktop.At(8000, [this] { host->serviceReachable = true; });
  // The refresh after the rescan finds a device.
  host->duringRefresh = [this] { host->deviceCount = 1; };
  RunUntil(2000);
  EXPECT_TRUE(Waiting());
  RunUntil(12000);

  EXPECT_EQ(host->log, (Log{"probe@2000", "probe@7000", "probe@12000"}));
  RunUntil(12499);
  EXPECT_TRUE(Waiting());
  RunUntil(20000);
  EXPECT_FALSE(Waiting());
  EXPECT_EQ(host->log, (Log{"probe@2000", "probe@7000", "probe@12000", "rescan@12500", "refresh@12500"}));
  // Each wait updates the icon (absent with "Show" and no device); 500 ms after the rescan it
  // appears.
  EXPECT_EQ(IconCalls(), (Log{"delete@2000", "delete@7000", "delete@12000", "add@13000"}));
  EXPECT_FALSE(desktop.TimerInterval(frame->id(), kServiceWaitTimerId));
  EXPECT_FALSE(desktop.TimerInterval(frame->id(), kRescanTimerId));
  EXPECT_FALSE(desktop.TimerInterval(frame->id(), kIconTimerId));
}

TEST_F(TimerTest, ABurstOfDeviceChangesGivesOneRefreshAfterTheLastDelay) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::uint64_t, std::uintptr_t>> changes;
    std::uint64_t refreshAt;
  };
  const std::vector<Case> cases = {
      {"NodesChanged", {{0, 7}, {500, 7}, {1000, 7}}, 2600},
      {"ArrivalThenNodesChanged", {{0, 0x8000}, {200, 7}}, 1800},
      {"RemoveComplete", {{0, 0x8004}}, 1000},
      {"OtherEvent", {{0, 0x8006}}, 0},
  };
  for (const Case& c : cases) {
    const std::uint64_t start = clock.NowMs() + 10000;
    host->log.clear();
    for (const auto& [at, event] : c.changes) DeviceChange(start + at, event);
    RunUntil(start + 5000);
    const Log expected = c.refreshAt ? Log{"refresh@" + std::to_string(start + c.refreshAt)} : Log{};
    EXPECT_EQ(host->log, expected) << c.name;
    EXPECT_FALSE(desktop.Property(frame->id(), kDeviceChangeMarker)) << c.name;
    if (c.refreshAt) {
      EXPECT_EQ(IconCalls().back(), "add@" + std::to_string(start + c.refreshAt)) << c.name;
    }
  }
}

TEST_F(TimerTest, AChangeDuringTheRefreshStartsANewDelay) {
  bool once = true;
  host->duringRefresh = [&] {
    if (std::exchange(once, false)) desktop.Send(frame->id(), win::kWmDeviceChange, win::kDbtDevNodesChanged, 0);
  };
  DeviceChange(0, win::kDbtDevNodesChanged);
  RunUntil(10000);
  EXPECT_EQ(host->log, (Log{"refresh@1600", "refresh@3200"}));
}

TEST_F(TimerTest, DeviceChangesAreDroppedUnderDebugFlagAndDuringARemoval) {
  struct Case {
    int debugFlag;
    const char* marker;
    bool followed;
  };
  for (const Case c :
       {Case{1, "", false}, Case{0, "CRemoveProgressDlg", false}, Case{0, "HolDeviceChange", false},
        Case{0, "CRemoveDeviceDlg", true}, Case{0, "CRescanDeviceDlg", true}, Case{0, "SATAService", true}}) {
    host->log.clear();
    host->debugFlag = c.debugFlag;
    host->marker = c.marker;
    EXPECT_EQ(desktop.Send(frame->id(), win::kWmDeviceChange, win::kDbtDevNodesChanged, 0), 1);
    RunUntil(clock.NowMs() + 5000);
    EXPECT_EQ(host->log.size(), c.followed ? 1u : 0u) << c.debugFlag << " " << c.marker;
  }
}

TEST_F(TimerTest, EveryPowerEventIsGrantedWithItsDebugText) {
  const std::vector<std::pair<std::uintptr_t, std::string>> events = {
      {0, "PBT_APMQUERYSUSPEND\n"},   {2, "PBT_APMQUERYSUSPENDFAILED\n"}, {4, "PBT_APMSUSPEND\n"},
      {6, "PBT_APMRESUMECRITICAL\n"}, {9, "PBT_APMBATTERYLOW\n"},         {10, "PBT_APMPOWERSTATUSCHANGE\n"},
      {11, "PBT_APMOEMEVENT\n"},      {18, "PBT_APMRESUMEAUTOMATIC\n"},   {8, "wParam:0x00000008, lParam:0x0000002A\n"},
  };
  for (const auto& [event, text] : events) {
    EXPECT_EQ(desktop.Send(frame->id(), win::kWmPowerBroadcast, event, 42), 1) << event;
    EXPECT_EQ(debug.texts().back(), text);
  }
  EXPECT_TRUE(host->log.empty());
  EXPECT_TRUE(area.calls().empty());
  // The fields take 32 bits each, whatever the width of the values.
  EXPECT_EQ(PowerEventText(static_cast<std::uintptr_t>(0x1234567890ull), -1), "wParam:0x34567890, lParam:0xFFFFFFFF\n");
}

TEST_F(TimerTest, AResumeRescansOnlyWithResumeRescanAndAlwaysUpdatesTheIcon) {
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmPowerBroadcast, win::kPbtApmResumeSuspend, 0), 1);
  EXPECT_EQ(debug.texts().back(), "PBT_APMRESUMESUSPEND\n");
  EXPECT_TRUE(host->log.empty());
  EXPECT_EQ(IconCalls(), (Log{"add@0"}));

  host->resumeRescan = 1;
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmPowerBroadcast, win::kPbtApmResumeSuspend, 0), 1);
  EXPECT_EQ(host->log, (Log{"rescan@0", "sleep 1000@0", "refresh@1000"}));
  EXPECT_EQ(IconCalls(), (Log{"add@0", "add@1000"}));
}

}  // namespace
}  // namespace holvara
