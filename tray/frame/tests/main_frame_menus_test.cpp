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
    real = std::make_unique<CMainFrame>(desktop, FramePorts{area, keyboard, debug, exitRequest}, *host);
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
  RunUntil(3000);
  EXPECT_EQ(menuHost.calls, std::vector<std::string>{"remove 0"});
  EXPECT_EQ(balloonsDuringRemoval, 1u);
  // The menu opens after the double-click time (500 ms); the device change posted after the
  // removal refreshes the list 1600 ms later.
  EXPECT_NE(std::find(host->log.begin(), host->log.end(), "refresh@2100"), host->log.end());
}

TEST_F(MainFrameMenusTest, TheDeviceMenuOpensWhereTheIconWasPressedAfterTheDoubleClickTime) {
  screen.metrics.doubleClickTimeMs = 300;
  screen.cursor.position = {990, 750};
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(200);
  EXPECT_TRUE(screen.menus.tracked().empty());
  screen.cursor.position = {500, 300};
  RunUntil(1000);
  ASSERT_EQ(screen.menus.tracked().size(), 1u);
  EXPECT_EQ(std::make_pair(screen.menus.tracked()[0].x, screen.menus.tracked()[0].y), std::make_pair(990, 750));
}

TEST_F(MainFrameMenusTest, ADoubleClickOpensTheRemoveDeviceDialogAndNoMenu) {
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(300);
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmLButtonDblClk));
  RunUntil(2000);
  EXPECT_TRUE(screen.menus.tracked().empty());
  EXPECT_EQ(host->log, std::vector<std::string>{"remove-device@300"});
}

}  // namespace
}  // namespace holvara
