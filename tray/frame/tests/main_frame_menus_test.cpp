// The icon's menus through the real main frame: a right click shows the command menu drawn by
// the frame and runs the chosen command; a left click shows the device menu, and the chosen
// device is removed behind the balloon, with the list refreshed after.
#include <gtest/gtest.h>

#include <algorithm>

#include "tray/frame/system_messages.h"
#include "tray/frame/tests/frame_fixture.h"

namespace holvara {
namespace {

class MainFrameMenusTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    real = std::make_unique<CMainFrame>(desktop, FramePorts{area, keyboard, debug}, *host);
    ASSERT_TRUE(real->LoadFrame("Real", nullptr));
    host->deviceCount = 1;
    real->UpdateIcon();
  }

  std::unique_ptr<CMainFrame> real;
};

TEST_F(MainFrameMenusTest, ARightClickShowsTheDrawnCommandMenuAndRunsTheChoice) {
  screen.menus.ChooseNext(32771);
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmRButtonDown));
  RunUntil(10);
  ASSERT_EQ(screen.menus.tracked().size(), 1u);
  const SimTrackedMenu& shown = screen.menus.tracked()[0];
  EXPECT_EQ(shown.owner, real->id());
  EXPECT_EQ(screen.menus.focus(), real->id());
  for (const SimMenuItem& item : shown.items) {
    if (item.kind == SimMenuItem::kOwnerDrawn) {
      EXPECT_FALSE(screen.drawing.OpsOn(item.deviceContext).empty());
    }
  }
  EXPECT_EQ(menuHost.calls, std::vector<std::string>{"version"});
}

TEST_F(MainFrameMenusTest, ALeftClickRemovesTheChosenDeviceBehindTheBalloon) {
  menuHost.list = {{kMenuSingleDevice, false, 0, 0, "E", "Disk"}};
  std::size_t balloonsDuringRemoval = 0;
  menuHost.duringRemoval = [&] { balloonsDuringRemoval = area.balloons().size(); };
  screen.menus.ChooseNext(1001);
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(2000);
  EXPECT_EQ(menuHost.calls, std::vector<std::string>{"remove 0"});
  EXPECT_EQ(balloonsDuringRemoval, 1u);
  // The device change posted after the removal refreshes the list 1600 ms later.
  EXPECT_NE(std::find(host->log.begin(), host->log.end(), "refresh@1600"), host->log.end());
}

}  // namespace
}  // namespace holvara
