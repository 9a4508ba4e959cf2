// The icon's menus through the real main frame: a right click shows the command menu drawn by
// the frame and runs the chosen command; a left click shows the device menu, and the chosen
// device is removed behind the balloon, with the list refreshed after.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

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

// The main window measures and draws each owner-drawn item from its own item data: its text
// (string 5 - d) and image column d, in a band as high as measured, the items stacked without
// overlap; only the highlighted item is drawn selected.
TEST_F(MainFrameMenusTest, ARightClickShowsTheDrawnCommandMenuAndRunsTheChoice) {
  constexpr int kHighlighted = 1;
  screen.menus.OnNextTrack([](const SimTrackedMenu&) { return 32771u; }, kHighlighted);
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmRButtonDown));
  RunUntil(10);
  ASSERT_EQ(screen.menus.tracked().size(), 1u);
  const SimTrackedMenu& shown = screen.menus.tracked()[0];
  EXPECT_EQ(shown.owner, real->id());
  EXPECT_EQ(screen.menus.focus(), real->id());
  ASSERT_EQ(shown.items.size(), 6u);
  int lastBottom = 0;
  for (std::size_t position = 0; position < shown.items.size(); ++position) {
    const SimMenuItem& item = shown.items[position];
    if (item.kind != SimMenuItem::kOwnerDrawn) {
      EXPECT_EQ(item.kind, SimMenuItem::kSeparator);
      lastBottom += SimMenus::kSeparatorHeight;
      continue;
    }
    SCOPED_TRACE("item data " + std::to_string(item.itemData));
    std::array<char, 256> text{};
    library->String(static_cast<std::uint32_t>(5 - item.itemData), text);
    const int height = SimDrawing::kCharHeight + 8;  // the text in the menu font, and the margin
    EXPECT_EQ(item.rect.top, lastBottom);
    EXPECT_EQ(item.rect.bottom - item.rect.top, height);
    lastBottom = item.rect.bottom;

    std::vector<std::string> texts;
    std::vector<int> columns;
    std::vector<std::uint32_t> textColours;
    for (const SimDrawOp& op : screen.drawing.OpsOn(item.deviceContext)) {
      if (op.kind == SimDrawOp::kText) texts.push_back(op.text);
      if (op.kind == SimDrawOp::kBitmapCell) columns.push_back(op.sourceX / 16);
      if (op.kind == SimDrawOp::kTextColour) textColours.push_back(op.colour);
    }
    EXPECT_EQ(texts, std::vector<std::string>{text.data()});
    EXPECT_EQ(columns, std::vector<int>{static_cast<int>(item.itemData)});
    const std::uint32_t colour = static_cast<int>(position) == kHighlighted
                                     ? Rgb(0, 128, 255)
                                     : screen.drawing.SystemColour(kSystemMenuTextColour);
    EXPECT_EQ(textColours, std::vector<std::uint32_t>{colour});
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

// After the removal the balloon leaves the screen. On older systems it is a window that shows its
// text, found by that text (a string longer than the balloon's field is found as it was cut) and
// clicked; on Windows 10 and later it is a notification that no window carries, taken away
// through the icon.
TEST_F(MainFrameMenusTest, TheBalloonLeavesTheScreenOnceTheRemovalHasEnded) {
  struct Case {
    const char* name;
    bool balloonWindows;
    std::size_t textLength;
  };
  for (const Case c : {Case{"notification", false, 40}, Case{"window", true, 40},
                       Case{"window with a text cut to the field", true, 300}}) {
    SCOPED_TRACE(c.name);
    SimResourceData data = EnglishResourceLibrary();
    data.strings[kBalloonString] = std::string(c.textLength, 'r');
    SimResourceLoader longTexts;
    longTexts.Install(data);
    const std::unique_ptr<ResourceLibrary> texts = longTexts.Load(data.fileName);
    FakeHost caseHost(*texts, clock);
    caseHost.menuCommands = &menuHost;
    caseHost.deviceCount = 1;
    area.balloonWindows = c.balloonWindows;
    CMainFrame frame(desktop, FramePorts{area, keyboard, debug, exitRequest}, caseHost);
    ASSERT_TRUE(frame.LoadFrame(c.name, nullptr));
    frame.UpdateIcon();
    menuHost.list = {{kMenuSingleDevice, false, 0, 0, "E", "Disk"}};
    const SimBalloon* duringRemoval = nullptr;
    menuHost.duringRemoval = [&] { duringRemoval = area.BalloonOnScreen(frame.id(), kTrayIconId); };
    screen.menus.ChooseNext(1001);
    ASSERT_TRUE(area.Click(frame.id(), kTrayIconId, win::kWmLButtonDown));
    RunUntil(clock.NowMs() + 1000);
    ASSERT_NE(duringRemoval, nullptr);
    EXPECT_EQ(area.balloons().back().text.size(), std::min<std::size_t>(c.textLength, 255));
    EXPECT_EQ(area.BalloonOnScreen(frame.id(), kTrayIconId), nullptr);
    if (c.balloonWindows) {
      EXPECT_EQ(desktop.FindByTitle(area.balloons().back().text), kNoWindow);
    }
  }
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

// The icon's messages reach the main window inside a menu's modal track, timers included: neither
// a press made there nor one made just before the menu may open a second menu inside the first.
TEST_F(MainFrameMenusTest, NoDeviceMenuOpensInsideAnotherMenu) {
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(100);
  screen.menus.OnNextTrack([&](const SimTrackedMenu&) {
    desktop.Send(real->id(), kIconCallbackMessage, kTrayIconId, win::kWmLButtonDown);
    return kNoCommand;
  });
  ASSERT_TRUE(area.Click(real->id(), kTrayIconId, win::kWmRButtonDown));
  RunUntil(3000);
  ASSERT_EQ(screen.menus.tracked().size(), 1u);
  EXPECT_EQ(screen.menus.tracked()[0].items.size(), 6u);  // the command menu
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
