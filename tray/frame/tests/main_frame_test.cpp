// The main frame on the simulated desktop: how it is created (its icon in the display's size),
// that it never shows, and how it answers the registered message, the installer's request to end
// and the end of the session.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ports/ui_constants.h"
#include "tray/frame/system_messages.h"
#include "tray/frame/tests/frame_fixture.h"

namespace holvara {
namespace {

class MainFrameTest : public FrameTest {
 protected:
  void Signal(std::uintptr_t request) { desktop.Post(frame->id(), desktop.RegisterMessage("HOLVARA"), request, 0); }
};

TEST_F(MainFrameTest, IsAnInvisiblePopupWithoutMenuOrSize) {
  const std::uint32_t style = desktop.Style(frame->id());
  EXPECT_EQ(style & win::kWsPopup, win::kWsPopup);
  EXPECT_EQ(style & (win::kWsVisible | win::kWsCaption | win::kWsSysMenu), 0u);
  // The frame's default style masked, with WS_POPUP, and the frame's own title flags and edge.
  EXPECT_EQ(style, 0x8007C000u);
  const WindowCreation creation = desktop.Creation(frame->id());
  EXPECT_EQ(creation.exStyle, 0x200u);
  EXPECT_EQ(creation.menu, 0u);
  EXPECT_EQ(creation.x | creation.y | creation.width | creation.height, 0);
}

TEST_F(MainFrameTest, StaysHiddenWhateverTheFrameworkAsks) {
  for (int command : {-1, win::kSwShow, win::kSwShowNormal}) {
    frame->ActivateFrame(command);
    EXPECT_FALSE(desktop.IsVisible(frame->id())) << command;
  }
}

TEST_F(MainFrameTest, LoadsTheSixteenPixelTrayIconWhenCreated) {
  EXPECT_NE(frame->trayIconImage(), 0u);
  ASSERT_EQ(loader.images().size(), 1u);
  EXPECT_EQ(loader.images()[0].id, 128u);
  EXPECT_EQ(loader.images()[0].width, 16);
}

struct IconSizeCase {
  const char* name;
  int dpi;
  int size;
};

class TrayIconSizeTest : public MainFrameTest, public ::testing::WithParamInterface<IconSizeCase> {};

// The system's small-icon size of the main window's display, so the shell never scales it up.
TEST_P(TrayIconSizeTest, LoadsTheIconAtTheSmallIconSizeOfTheDisplay) {
  screen.metrics.dpi = GetParam().dpi;
  FakeMenuHost displayMenus{screen.ports()};
  host->menuCommands = &displayMenus;
  CMainFrame other(desktop, FramePorts{area, keyboard, debug, exitRequest}, *host);
  const std::size_t loadedBefore = loader.images().size();
  ASSERT_TRUE(other.LoadFrame("Other", nullptr));
  ASSERT_EQ(loader.images().size(), loadedBefore + 1);
  EXPECT_EQ(loader.images().back().id, 128u);
  EXPECT_EQ(loader.images().back().width, GetParam().size);
  EXPECT_EQ(loader.images().back().height, GetParam().size);
}

INSTANTIATE_TEST_SUITE_P(Densities, TrayIconSizeTest,
                         ::testing::Values(IconSizeCase{"At100Percent", 96, 16}, IconSizeCase{"At125Percent", 120, 20},
                                           IconSizeCase{"At150Percent", 144, 24},
                                           IconSizeCase{"At200Percent", 192, 32}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrameTest, ANewDensityOfTheDisplayGivesTheShownIconItsNewSize) {
  frame->UpdateIcon();
  ASSERT_NE(Icon(), nullptr);
  screen.metrics.dpi = 144;
  desktop.Send(frame->id(), win::kWmDpiChanged, (144 << 16) | 144, 0);
  EXPECT_EQ(loader.images().back().width, 24);
  const SimNotifyCall& last = area.calls().back();
  EXPECT_EQ(last.operation, SimNotifyOperation::kModify);
  EXPECT_EQ(last.icon.flags, kNifIcon);
  EXPECT_EQ(last.icon.image, frame->trayIconImage());
  EXPECT_TRUE(last.result.done);
}

TEST_F(MainFrameTest, TheInstallersExitRequestEndsTheProgramAtTheNextLook) {
  RunUntil(9000);
  ASSERT_TRUE(desktop.Exists(frame->id()));
  exitRequest.raised = true;
  desktop.SetTimeLimit(60000);
  EXPECT_EQ(desktop.RunMessageLoop(), 0);
  EXPECT_FALSE(desktop.Exists(frame->id()));
  EXPECT_LE(clock.NowMs(), 9000 + kExitRequestPollMs);
}

TEST_F(MainFrameTest, ALibraryWithoutTheIconLeavesTheImageEmpty) {
  SimResourceData bare;
  bare.fileName = "Bare.dll";
  loader.Install(bare);
  auto bareLibrary = loader.Load("Bare.dll");
  FakeHost bareHost(*bareLibrary, clock);
  bareHost.menuCommands = &menuHost;
  CMainFrame other(desktop, FramePorts{area, keyboard, debug, exitRequest}, bareHost);
  ASSERT_TRUE(other.LoadFrame("Other", nullptr));
  EXPECT_EQ(other.trayIconImage(), 0u);
}

TEST_F(MainFrameTest, CloseRequestEndsTheMessageLoop) {
  Signal(kHolvaraClose);
  EXPECT_EQ(desktop.RunMessageLoop(), 0);
  EXPECT_FALSE(desktop.Exists(frame->id()));
  EXPECT_EQ(frame->id(), kNoWindow);
}

struct ForwardCase {
  const char* name;
  std::uintptr_t request;
  const char* marker;
  bool raised;
  bool removeDeviceDialog;
};

class ForwardTest : public MainFrameTest, public ::testing::WithParamInterface<ForwardCase> {};

TEST_P(ForwardTest, BringsTheWindowsForwardWhileBusyAndOpensTheRemoveDeviceDialogOtherwise) {
  host->marker = GetParam().marker;
  const WindowId main = frame->id();
  Signal(GetParam().request);
  desktop.SetTimeLimit(100);
  // The loop runs on to the limit (the frame's timer for the installer's request repeats).
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopTimeLimit);
  EXPECT_TRUE(desktop.Exists(main));
  const auto& calls = desktop.positionCalls();
  ASSERT_EQ(calls.size(), GetParam().raised ? 2u : 0u);
  if (GetParam().raised) {
    EXPECT_EQ(calls[0].insertAfter, win::kHwndTopmost);
    EXPECT_EQ(calls[1].insertAfter, win::kHwndNoTopmost);
    EXPECT_EQ(calls[0].flags, win::kSwpNoSize | win::kSwpNoMove);
    EXPECT_EQ(calls[0].window, main);
  }
  EXPECT_EQ(screen.menus.foreground(), GetParam().request == kHolvaraBringForward ? main : kNoWindow);
  const std::vector<std::string> opened = {"remove-device@0"};
  EXPECT_EQ(host->log, GetParam().removeDeviceDialog ? opened : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Cases, ForwardTest,
                         ::testing::Values(ForwardCase{"Busy", 1, "CConfigDlg", true, false},
                                           ForwardCase{"Idle", 1, "", false, true},
                                           ForwardCase{"OtherRequest", 2, "CConfigDlg", false, false},
                                           ForwardCase{"OtherRequestIdle", 2, "", false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrameTest, AnswersTheEndOfTheSessionAndStays) {
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmQueryEndSession, 0, 0), 1);
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmEndSession, 1, 0), 1);
  EXPECT_TRUE(desktop.Exists(frame->id()));
}

}  // namespace
}  // namespace holvara
