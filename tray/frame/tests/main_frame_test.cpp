// The main frame on the simulated desktop: how it is created, that it never shows, and how it
// answers the registered message and the end of the session.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_resources.h"
#include "tray/frame/main_frame.h"
#include "tray/resources/sim_libraries.h"

namespace holvara {
namespace {

class FakeHost : public FrameHost {
 public:
  explicit FakeHost(ResourceLibrary& library) : library_(library) {}
  std::string_view BusyMarker() override { return marker; }
  ResourceLibrary& Resources() override { return library_; }

  std::string marker;

 private:
  ResourceLibrary& library_;
};

class MainFrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    loader.Install(EnglishResourceLibrary());
    library = loader.Load("HolvaraResUS.dll");
    host = std::make_unique<FakeHost>(*library);
    frame = std::make_unique<CMainFrame>(desktop, *host);
    frame->SetMainWindow(true);
    ASSERT_TRUE(frame->LoadFrame("Holvara", nullptr));
    frame->ActivateFrame(-1);
  }

  void Signal(std::uintptr_t request) {
    desktop.Post(frame->id(), desktop.RegisterMessage("HOLVARA"), request, 0);
  }

  SimClock clock;
  SimDesktop desktop{clock};
  SimResourceLoader loader;
  std::unique_ptr<ResourceLibrary> library;
  std::unique_ptr<FakeHost> host;
  std::unique_ptr<CMainFrame> frame;
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

TEST_F(MainFrameTest, ALibraryWithoutTheIconLeavesTheImageEmpty) {
  SimResourceData bare;
  bare.fileName = "Bare.dll";
  loader.Install(bare);
  auto bareLibrary = loader.Load("Bare.dll");
  FakeHost bareHost(*bareLibrary);
  CMainFrame other(desktop, bareHost);
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
};

class ForwardTest : public MainFrameTest, public ::testing::WithParamInterface<ForwardCase> {};

TEST_P(ForwardTest, BringsTheWindowsForwardOnlyWhileBusy) {
  host->marker = GetParam().marker;
  const WindowId main = frame->id();
  Signal(GetParam().request);
  desktop.SetTimeLimit(100);
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopIdle);
  EXPECT_TRUE(desktop.Exists(main));
  const auto& calls = desktop.positionCalls();
  ASSERT_EQ(calls.size(), GetParam().raised ? 2u : 0u);
  if (GetParam().raised) {
    EXPECT_EQ(calls[0].insertAfter, win::kHwndTopmost);
    EXPECT_EQ(calls[1].insertAfter, win::kHwndNoTopmost);
    EXPECT_EQ(calls[0].flags, win::kSwpNoSize | win::kSwpNoMove);
    EXPECT_EQ(calls[0].window, main);
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, ForwardTest,
                         ::testing::Values(ForwardCase{"Busy", 1, "CConfigDlg", true},
                                           ForwardCase{"Idle", 1, "", false},
                                           ForwardCase{"OtherRequest", 2, "CConfigDlg", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFrameTest, AnswersTheEndOfTheSessionAndStays) {
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmQueryEndSession, 0, 0), 1);
  EXPECT_EQ(desktop.Send(frame->id(), win::kWmEndSession, 1, 0), 1);
  EXPECT_TRUE(desktop.Exists(frame->id()));
}

}  // namespace
}  // namespace holvara
