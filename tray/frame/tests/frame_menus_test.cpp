// The icon's menus on the simulated desktop: the command menu as drawn (positions, colours,
// image cells and font at 100% and 200%, and on a monitor of another density than the screen's),
// the device menu built from a copy of the list and what its
// choice does, the service-wait menu, and the commands.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_resources.h"
#include "tray/frame/command_menu.h"
#include "tray/frame/frame_menus.h"
#include "tray/frame/system_messages.h"
#include "tray/frame/tests/fake_menu_host.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {
namespace {

// The owner window: hands the owner-drawn items to the menus and keeps what was posted to it.
class Owner : public WindowHandler {
 public:
  std::intptr_t HandleMessage(WindowId, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
    if (message == kWmMeasureItem) menus->Measure(*library, *reinterpret_cast<MeasureItemRecord*>(lParam));
    if (message == kWmDrawItem) menus->Draw(*library, *reinterpret_cast<const DrawItemRecord*>(lParam));
    if (message == win::kWmNcCreate) return 1;
    if (message == win::kWmCommand || message == win::kWmClose || message == win::kWmDeviceChange) {
      received.push_back({message, wParam});
    }
    return 1;
  }
  FrameMenus* menus = nullptr;
  ResourceLibrary* library = nullptr;
  std::vector<std::pair<std::uint32_t, std::uintptr_t>> received;
};

class FrameMenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loader.Install(EnglishResourceLibrary());
    library = loader.Load("HolvaraResUS.dll");
    owner.library = library.get();
    owner.menus = &frameMenus;
    window = desktop.Create({.title = "Holvara"}, owner);
  }

  // Delivers what the menus posted to the owner.
  void Settle() {
    desktop.At(clock.NowMs() + 1, [&] { desktop.PostQuit(0); });
    desktop.RunMessageLoop();
  }

  std::string String(std::uint32_t id) { return EnglishResourceLibrary().strings.at(id); }

  SimClock clock;
  SimDesktop desktop{clock};
  SimScreen screen{desktop};
  SimDrawing& drawing = screen.drawing;
  SimMenus& menus = screen.menus;
  SimCursor& cursor = screen.cursor;
  SimTopWindows& topWindows = screen.topWindows;
  FakeMenuHost host{screen.ports()};
  std::vector<std::pair<std::uint32_t, std::uint32_t>> balloons;
  // What happened to the balloon and the windows that show its text, in order.
  std::vector<std::string> balloonLog;
  FrameMenus frameMenus{desktop,
                        host,
                        {[&](std::uint32_t id, std::uint32_t flags) {
                           balloons.push_back({id, flags});
                         },
                         [&] { balloonLog.push_back("removed through the icon"); }}};
  SimResourceLoader loader;
  std::unique_ptr<ResourceLibrary> library;
  Owner owner;
  WindowId window = kNoWindow;
};

struct DrawnItem {
  std::vector<SimDrawOp> ops;
  const SimDrawOp* Find(SimDrawOp::Kind kind, int nth = 0) const {
    for (const SimDrawOp& op : ops) {
      if (op.kind == kind && nth-- == 0) return &op;
    }
    return nullptr;
  }
};

struct DensityCase {
  const char* name;
  int screenDpi;   // the density the screen's device contexts report
  int monitorDpi;  // the density of the monitor under the cursor, where the menu opens
};

class CommandMenuDrawingTest : public FrameMenusTest, public ::testing::WithParamInterface<DensityCase> {};

TEST_P(CommandMenuDrawingTest, DrawsEachItemWithItsTextAndImageAtTheMonitorsDensity) {
  const int dpi = GetParam().monitorDpi;
  const auto px = [dpi](int pixels) { return pixels * dpi / 96; };
  drawing.dpi = GetParam().screenDpi;
  screen.metrics.dpi = GetParam().screenDpi;
  screen.metrics.monitors = {{{0, 0, 1920, 1080}, GetParam().screenDpi}, {{1920, 0, 3840, 2160}, dpi}};
  cursor.position = {2500, 900};
  menus.OnNextTrack([](const SimTrackedMenu&) { return 0u; }, 4);
  frameMenus.ShowCommandMenu(window);

  ASSERT_EQ(menus.tracked().size(), 1u);
  const SimTrackedMenu& shown = menus.tracked()[0];
  EXPECT_EQ(shown.owner, window);
  EXPECT_EQ(shown.foreground, window);
  EXPECT_EQ(shown.flags, menu::kTrackRightButton);
  EXPECT_EQ(menus.liveMenus(), 0);
  ASSERT_EQ(shown.items.size(), 6u);
  EXPECT_EQ(shown.items[2].kind, SimMenuItem::kSeparator);
  EXPECT_EQ(shown.items[2].command, 0xFFFFFFFFu);

  const std::vector<std::uint32_t> commands{32772, 32774, 0xFFFFFFFF, 32773, 32771, 57665};
  const std::vector<std::uint32_t> strings{5, 4, 0, 3, 2, 1};
  int widest = 0;
  for (std::uint32_t id : strings) {
    if (id != 0) widest = std::max(widest, static_cast<int>(String(id).size()));
  }
  for (std::size_t position = 0; position < shown.items.size(); ++position) {
    const SimMenuItem& item = shown.items[position];
    EXPECT_EQ(item.command, commands[position]);
    if (item.kind == SimMenuItem::kSeparator) continue;
    const std::uintptr_t data = item.itemData;
    // Measured from the text in the menu font for the density, plus the room for the image and
    // the margin.
    EXPECT_EQ(item.rect.right - item.rect.left, px(6 * widest) + px(26));
    EXPECT_EQ(item.rect.bottom - item.rect.top, px(13) + px(8));

    const DrawnItem drawn{drawing.OpsOn(item.deviceContext)};
    ASSERT_NE(drawn.Find(SimDrawOp::kText), nullptr);
    EXPECT_EQ(drawn.Find(SimDrawOp::kText)->text, String(strings[position]));
    EXPECT_EQ(drawn.Find(SimDrawOp::kText)->x, item.rect.left + px(26));
    EXPECT_EQ(drawn.Find(SimDrawOp::kText)->y, item.rect.top + px(4));
    const SimDrawOp* image = drawn.Find(SimDrawOp::kBitmapCell);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->image & 0xFFFF, 130u);
    EXPECT_EQ(image->sourceX, 16 * static_cast<int>(data));
    EXPECT_EQ(image->rect.left, item.rect.left + px(2));
    EXPECT_EQ(image->rect.top, item.rect.top + px(2));
    EXPECT_EQ(image->rect.right - image->rect.left, px(16));
    EXPECT_EQ(drawn.ops.front().kind, SimDrawOp::kMenuFont);
    EXPECT_EQ(drawn.ops.front().dpi, dpi);
    EXPECT_EQ(drawn.ops.back().kind, SimDrawOp::kFontRestored);

    if (position != 4) {
      const SimDrawOp* band = drawn.Find(SimDrawOp::kFill);
      EXPECT_EQ(band->colour, drawing.SystemColour(kSystemMenuColour));
      EXPECT_EQ(band->rect.left, item.rect.left);
      EXPECT_EQ(drawn.Find(SimDrawOp::kTextColour)->colour, drawing.SystemColour(kSystemMenuTextColour));
      continue;
    }
    // The selected item: a raised box around the image, a pale yellow band from x = 22, blue text.
    const SimDrawOp* light = drawn.Find(SimDrawOp::kFill, 0);
    const SimDrawOp* dark = drawn.Find(SimDrawOp::kFill, 1);
    const SimDrawOp* face = drawn.Find(SimDrawOp::kFill, 2);
    const SimDrawOp* band = drawn.Find(SimDrawOp::kFill, 3);
    EXPECT_EQ(light->colour, Rgb(255, 255, 255));
    EXPECT_EQ(light->rect.right, px(20));
    EXPECT_EQ(dark->colour, Rgb(66, 65, 66));
    EXPECT_EQ(dark->rect.left, item.rect.left + px(1));
    EXPECT_EQ(face->rect.right, px(20) - px(1));
    EXPECT_EQ(face->rect.bottom, item.rect.bottom - px(1));
    EXPECT_EQ(band->colour, Rgb(254, 250, 163));
    EXPECT_EQ(band->rect.left, px(22));
    EXPECT_EQ(band->rect.right, item.rect.right);
    EXPECT_EQ(drawn.Find(SimDrawOp::kTextColour)->colour, Rgb(0, 128, 255));
  }
}

INSTANTIATE_TEST_SUITE_P(Densities, CommandMenuDrawingTest,
                         ::testing::Values(DensityCase{"At100Percent", 96, 96}, DensityCase{"At200Percent", 192, 192},
                                           DensityCase{"On150PercentMonitorBeside100PercentScreen", 96, 144},
                                           DensityCase{"On100PercentMonitorBeside200PercentScreen", 192, 96}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CommandMenuBitmapTest, ChoosesTheStripByWindowsVersion) {
  EXPECT_EQ(CommandMenuBitmap({5, 0}), 117u);
  EXPECT_EQ(CommandMenuBitmap({5, 1}), 130u);
  EXPECT_EQ(CommandMenuBitmap({5, 2}), 117u);
  EXPECT_EQ(CommandMenuBitmap({6, 0}), 130u);
  EXPECT_EQ(CommandMenuBitmap({10, 0}), 130u);
  EXPECT_EQ(CommandMenuBitmap({4, 10}), std::nullopt);
}

TEST_F(FrameMenusTest, OnOldSystemsTheItemsAreDrawnWithoutImages) {
  host.version = {4, 0};
  frameMenus.ShowCommandMenu(window);
  for (const SimDrawOp& op : drawing.ops()) EXPECT_NE(op.kind, SimDrawOp::kBitmapCell);
}

TEST_F(FrameMenusTest, EachCommandRunsItsSequence) {
  for (std::uint32_t command : {32771u, 32772u, 32773u, 32774u}) {
    menus.ChooseNext(command);
    frameMenus.ShowCommandMenu(window);
    Settle();
    ASSERT_FALSE(owner.received.empty());
    EXPECT_EQ(owner.received.back(), std::make_pair(win::kWmCommand, std::uintptr_t{command}));
    EXPECT_TRUE(frameMenus.OnCommand(*library, window, command));
  }
  EXPECT_EQ(host.calls, (std::vector<std::string>{"version", "remove-device dialog", "help", "settings"}));
  EXPECT_TRUE(frameMenus.OnCommand(*library, window, 57665));
  Settle();
  EXPECT_EQ(owner.received.back().first, win::kWmClose);
  EXPECT_FALSE(frameMenus.OnCommand(*library, window, 32775));
}

TEST_F(FrameMenusTest, TheServiceWaitMenuOffersItsInformationAndExit) {
  menus.ChooseNext(57665);
  frameMenus.ShowServiceWaitMenu(*library, window);
  Settle();
  const SimTrackedMenu& shown = menus.tracked().at(0);
  ASSERT_EQ(shown.items.size(), 2u);
  EXPECT_EQ(shown.items[0].text, String(42));
  EXPECT_EQ(shown.items[0].command, 0u);
  EXPECT_EQ(shown.items[1].text, String(1));
  EXPECT_EQ(shown.foreground, window);
  EXPECT_EQ(owner.received.back(), std::make_pair(win::kWmCommand, std::uintptr_t{57665}));
  EXPECT_EQ(menus.liveMenus(), 1);  // kept until the next build
}

TEST_F(FrameMenusTest, TheDeviceMenuIsRebuiltFromTheListAtEveryClick) {
  host.list = {{kMenuSingleDevice, false, 0, 0, "E", "Disk"}};
  frameMenus.ShowDeviceMenu(*library, window, {700, 560});
  host.list.clear();
  frameMenus.ShowDeviceMenu(*library, window, {700, 560});
  ASSERT_EQ(menus.tracked().size(), 2u);
  EXPECT_EQ(menus.tracked()[0].items.at(0).text, "Remove Disk - Drive (E:) ");
  EXPECT_EQ(std::make_pair(menus.tracked()[0].x, menus.tracked()[0].y), std::make_pair(700, 560));
  EXPECT_EQ(menus.tracked()[1].items.at(0).text, String(13));
  EXPECT_EQ(menus.liveMenus(), 1);
}

TEST_F(FrameMenusTest, AChosenDeviceIsRemovedBehindTheBalloonWhichIsThenDismissed) {
  host.list = {{kMenuSingleDevice, false, 0, 0, "", "A"}, {kMenuSingleDevice, false, 0, 0, "", "B"}};
  Owner hungHandler;
  const WindowId hung = desktop.Create({.title = String(16)}, hungHandler);
  topWindows.hung.insert(hung);
  WindowId balloon = kNoWindow;
  struct Clicked : WindowHandler {
    std::vector<std::string>* log;
    std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
      if (message == win::kWmLButtonDown) log->push_back("clicked " + std::to_string(window));
      return 1;
    }
  } clickedHandler, laterHandler;
  clickedHandler.log = &balloonLog;
  laterHandler.log = &balloonLog;
  host.duringRemoval = [&] {
    balloon = desktop.Create({.title = String(16)}, clickedHandler);
    desktop.Create({.title = String(16)}, laterHandler);
  };
  menus.ChooseNext(1002);
  frameMenus.ShowDeviceMenu(*library, window, cursor.position);
  Settle();
  ASSERT_EQ(owner.received.size(), 1u);
  EXPECT_TRUE(frameMenus.OnCommand(*library, window, owner.received[0].second));
  Settle();

  EXPECT_EQ(balloons, (std::vector<std::pair<std::uint32_t, std::uint32_t>>{{16, 1}}));
  EXPECT_EQ(host.calls, std::vector<std::string>{"remove 1"});
  // The hung window is passed over; only the first answering window with the text is clicked, and
  // then the balloon is taken away through the icon, for the systems where no window carries it.
  EXPECT_NE(balloon, kNoWindow);
  EXPECT_EQ(balloonLog, (std::vector<std::string>{"clicked " + std::to_string(balloon), "removed through the icon"}));
  EXPECT_EQ(owner.received.back(), std::make_pair(win::kWmDeviceChange, std::uintptr_t{7}));
}

TEST_F(FrameMenusTest, ACommandPastTheEntriesShownStartsNothing) {
  host.list = {{kMenuSingleDevice, false, 0, 0, "", "A"}};
  frameMenus.ShowDeviceMenu(*library, window, cursor.position);
  for (std::uint32_t command : {1002u, 1026u, 1050u}) EXPECT_TRUE(frameMenus.OnCommand(*library, window, command));
  Settle();
  EXPECT_TRUE(host.calls.empty());
  EXPECT_TRUE(balloons.empty());
  EXPECT_TRUE(owner.received.empty());
}

}  // namespace
}  // namespace holvara
