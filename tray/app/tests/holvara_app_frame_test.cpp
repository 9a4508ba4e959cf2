// The running program's main window with the application behind it, on the whole simulated
// system: the start-up chain from a missing service through the hidden rescan to the icon, the
// icon leaving with the last device, the resume rescan, and the icon's mouse while a message box
// is on screen.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "common/busy_marker_names.h"
#include "platform/ports/ui_constants.h"
#include "tray/app/holvara_app.h"
#include "tray/app/tests/sim_whole_pc.h"
#include "tray/frame/main_frame.h"
#include "tray/frame/system_messages.h"

namespace holvara {
namespace {

constexpr int kRescanTemplate = 110;

class AppFrameTest : public ::testing::Test {
 protected:
  void RunUntil(std::uint64_t timeMs) {
    system.desktop.SetTimeLimit(timeMs);
    system.desktop.RunMessageLoop();
  }
  const SimShownIcon* Icon() { return system.notificationArea.Find(system.app->mainWindowId(), kTrayIconId); }

  // One device on the card: a plain desktop PC.
  SimWholePc system{"desktop"};
};

TEST_F(AppFrameTest, WaitsForTheServiceRescansHiddenAndShowsTheIconUntilTheLastDeviceGoes) {
  system.app = std::make_unique<CHolvaraApp>(system.ports(), system.client());
  ASSERT_TRUE(system.app->InitInstance());
  system.desktop.At(9000, [this] { system.StartService(); });

  RunUntil(11000);
  // Waiting: the marker is set and, with "Show" set by the first start and no device, no icon.
  EXPECT_EQ(system.app->BusyMarker(), kWaitingForServiceMarker);
  EXPECT_FALSE(system.pc.machine().rescanned);
  EXPECT_EQ(Icon(), nullptr);

  RunUntil(20000);
  EXPECT_TRUE(system.pc.machine().rescanned);
  EXPECT_EQ(system.desktop.shownDialogs(), std::vector<int>{kRescanTemplate});
  EXPECT_TRUE(system.desktop.dialogsSeen().empty());
  EXPECT_EQ(system.app->BusyMarker(), "");
  ASSERT_NE(Icon(), nullptr);
  EXPECT_EQ(Icon()->callbackMessage, kIconCallbackMessage);

  // The device leaves the machine; the system's notice leads to a refresh 1.6 s later, and the
  // icon goes with the last device.
  // The removal's dialog runs its own loop; the frame's repeating timer keeps it from going idle,
  // so it gets time to finish.
  system.desktop.SetTimeLimit(system.kernel.NowMs() + 30000);
  ASSERT_EQ(system.app->RemovalSequence(0, false), RemovalOutcome::kRemoved);
  const std::uint64_t notice = system.kernel.NowMs() + 100;
  system.desktop.At(notice, [this] { system.desktop.Broadcast(win::kWmDeviceChange, win::kDbtDevNodesChanged, 0); });
  RunUntil(notice + 1599);
  EXPECT_NE(Icon(), nullptr);
  RunUntil(notice + 1700);
  EXPECT_TRUE(system.app->DeviceListEmpty());
  EXPECT_EQ(Icon(), nullptr);
}

TEST_F(AppFrameTest, AResumeRescansHiddenOnlyWithResumeRescan) {
  system.StartAll();
  const WindowId main = system.app->mainWindowId();
  for (int resumeRescan : {0, 1}) {
    system.SetProfile("ResumeRescan", static_cast<std::uint32_t>(resumeRescan));
    const std::uint64_t start = system.kernel.NowMs();
    EXPECT_EQ(system.desktop.Send(main, win::kWmPowerBroadcast, win::kPbtApmResumeSuspend, 0), 1);
    EXPECT_EQ(system.desktop.shownDialogs().size(), static_cast<std::size_t>(resumeRescan));
    EXPECT_EQ(system.kernel.NowMs() - start >= 1000, resumeRescan == 1);
    EXPECT_EQ(system.notificationArea.calls().back().operation, SimNotifyOperation::kAdd);
  }
  EXPECT_TRUE(system.desktop.dialogsSeen().empty());
  EXPECT_EQ(system.debug.Count("PBT_APMRESUMESUSPEND\n"), 2u);
}

TEST_F(AppFrameTest, TheIconIgnoresTheMouseWhileTheMessageBoxIsUp) {
  system.StartService();
  system.app = std::make_unique<CHolvaraApp>(system.ports(), system.client());
  ASSERT_TRUE(system.app->InitInstance());
  RunUntil(10000);
  ASSERT_NE(Icon(), nullptr);

  // Control + double click ends the program, but not while the box is up.
  system.keyboard.Press(kVkControl);
  std::intptr_t answer = -1;
  system.desktop.AnswerNextMessageBox(win::kIdOk, [&] {
    answer = system.desktop.Send(system.app->mainWindowId(), kIconCallbackMessage, kTrayIconId, win::kWmLButtonDblClk);
  });
  system.app->ShowMessage(5001, win::kMbOk);
  EXPECT_EQ(answer, 0);
  RunUntil(11000);
  EXPECT_NE(system.app->mainWindowId(), kNoWindow);

  ASSERT_TRUE(system.notificationArea.Click(system.app->mainWindowId(), kTrayIconId, win::kWmLButtonDblClk));
  RunUntil(12000);
  EXPECT_EQ(system.app->mainWindowId(), kNoWindow);
  EXPECT_TRUE(system.notificationArea.icons().empty());
}

}  // namespace
}  // namespace holvara
