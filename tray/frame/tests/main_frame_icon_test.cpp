// The notification icon: when an update adds or deletes it, what the record carries, the
// retries while the shell is busy, the balloon, the shell's restart, the end of the program, and
// where the icon's mouse events lead.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "tray/frame/system_messages.h"
#include "tray/frame/tests/frame_fixture.h"

namespace holvara {
namespace {

using IconTest = FrameTest;

TEST_F(IconTest, UpdateAddsTheIconUnlessShowIsSetAndTheListEmpty) {
  struct Case {
    int show;
    int devices;
    bool shown;
  };
  for (const Case c : {Case{0, 0, true}, Case{0, 2, true}, Case{1, 1, true}, Case{1, 0, false}}) {
    host->show = c.show;
    host->deviceCount = c.devices;
    frame->UpdateIcon();
    EXPECT_EQ(Icon() != nullptr, c.shown) << c.show << " " << c.devices;
    const SimNotifyCall& call = area.calls().back();
    EXPECT_EQ(call.operation, c.shown ? SimNotifyOperation::kAdd : SimNotifyOperation::kDelete);
    EXPECT_EQ(call.icon.flags, c.shown ? 7u : 0u);
    EXPECT_EQ(call.icon.image, c.shown ? frame->trayIconImage() : 0u);
  }
  // Added again after the deletion, with the tip, the image and the callback message.
  host->show = 0;
  frame->UpdateIcon();
  ASSERT_NE(Icon(), nullptr);
  std::array<char, 64> tip{};
  library->String(kIconTipString, tip);
  EXPECT_EQ(Icon()->tip, tip.data());
  EXPECT_EQ(Icon()->image, frame->trayIconImage());
  EXPECT_EQ(Icon()->callbackMessage, 0x8064u);
  // A second add is refused by the shell and leaves the icon as it is.
  frame->UpdateIcon();
  EXPECT_FALSE(area.calls().back().result.done);
  EXPECT_EQ(area.icons().size(), 1u);
}

TEST_F(IconTest, UpdateRetriesOnlyTimeOutsSixTimesTwoSecondsApart) {
  struct Case {
    int failures;
    std::uint32_t error;
    std::size_t calls;
    bool shown;
  };
  for (const Case c : {Case{2, kErrorTimeout, 3, true}, Case{6, kErrorTimeout, 7, true},
                       Case{9, kErrorTimeout, 7, false}, Case{1, 5, 1, false}}) {
    NotificationIcon gone;
    gone.window = frame->id();
    gone.id = kTrayIconId;
    area.Delete(gone);
    const std::size_t before = area.calls().size();
    const std::uint64_t start = clock.NowMs();
    area.FailNextCalls(c.failures, c.error);
    frame->UpdateIcon();
    ASSERT_EQ(area.calls().size() - before, c.calls) << c.failures;
    for (std::size_t i = 0; i < c.calls; ++i) EXPECT_EQ(area.calls()[before + i].timeMs, start + 2000 * i);
    EXPECT_EQ(Icon() != nullptr, c.shown) << c.failures;
    area.FailNextCalls(0, 0);
  }
}

TEST_F(IconTest, BalloonCarriesTheTextAndTitleAndIsSentAgainOnceAfterATimeOut) {
  frame->UpdateIcon();
  area.FailNextCalls(1, kErrorTimeout);
  frame->ShowBalloon(kBalloonString, kNiifInfo);
  ASSERT_EQ(area.balloons().size(), 1u);
  const SimBalloon& balloon = area.balloons()[0];
  std::array<char, 256> text{};
  library->String(kBalloonString, text);
  EXPECT_EQ(balloon.text, text.data());
  EXPECT_EQ(balloon.title, "ZELTO Dock Warden");
  EXPECT_EQ(balloon.timeoutMs, 10000u);
  EXPECT_EQ(balloon.flags, kNiifInfo);
  EXPECT_EQ(area.calls().back().icon.flags, kNifInfo);

  const std::size_t before = area.calls().size();
  area.FailNextCalls(5, kErrorTimeout);
  frame->ShowBalloon(kBalloonString, kNiifInfo);
  EXPECT_EQ(area.calls().size() - before, 2u);
  EXPECT_EQ(clock.NowMs(), 0u);
}

TEST_F(IconTest, ARestartedShellGetsTheIconBackByTheRuleOfAnUpdate) {
  frame->UpdateIcon();
  area.Restart();
  RunUntil(10);
  EXPECT_NE(Icon(), nullptr);

  host->show = 1;
  area.Restart();
  RunUntil(20);
  EXPECT_EQ(Icon(), nullptr);
  EXPECT_EQ(area.calls().back().operation, SimNotifyOperation::kDelete);
}

TEST_F(IconTest, ClosingTheProgramDeletesTheIcon) {
  frame->UpdateIcon();
  desktop.Post(frame->id(), win::kWmClose, 0, 0);
  EXPECT_EQ(desktop.RunMessageLoop(), 0);
  EXPECT_TRUE(area.icons().empty());
}

struct ClickCase {
  const char* name;
  // The mouse events the icon reports, one after the other at time 0.
  std::vector<std::uint32_t> mouse;
  const char* marker;
  bool control;
  // What the host and the menus were asked, and the WM_NULL the frame posted itself, with the time.
  std::vector<std::string> log;
  int raised;  // bring-to-front calls
  bool closed;
};

class ClickTest : public FrameTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickTest, RoutesTheMouseEventByTheBusyMarker) {
  const ClickCase& c = GetParam();
  host->show = 1;
  host->deviceCount = 1;
  frame->UpdateIcon();
  host->marker = c.marker;
  if (c.control) keyboard.Press(kVkControl);
  const WindowId main = frame->id();
  for (std::uint32_t mouse : c.mouse) ASSERT_TRUE(area.Click(main, kTrayIconId, mouse));
  RunUntil(2000);
  EXPECT_EQ(host->log, c.log);
  EXPECT_EQ(desktop.positionCalls().size(), static_cast<std::size_t>(2 * c.raised));
  EXPECT_EQ(desktop.Exists(main), !c.closed);
}

constexpr std::uint32_t kDown = win::kWmLButtonDown;
constexpr std::uint32_t kUp = win::kWmLButtonUp;
constexpr std::uint32_t kDouble = win::kWmLButtonDblClk;

// A press opens the device menu only once the double-click time (500 ms) has passed without a
// second press; a double click or a right press takes its place.
INSTANTIATE_TEST_SUITE_P(
    Cases, ClickTest,
    ::testing::Values(
        ClickCase{"LeftIdle", {kDown, kUp}, "", false, {"device-menu@500"}, 0, false},
        ClickCase{"LeftBusy", {kDown, kUp}, "CConfigDlg", false, {}, 1, false},
        ClickCase{"DoubleIdle", {kDown, kUp, kDouble, kUp}, "", false, {"remove-device@0"}, 0, false},
        ClickCase{"DoubleWithControl", {kDown, kUp, kDouble, kUp}, "", true, {}, 0, true},
        ClickCase{"DoubleWithControlBusy", {kDown, kUp, kDouble, kUp}, "CRemoveDeviceDlg", true, {}, 2, false},
        ClickCase{"DoubleAlone", {kDouble}, "", false, {"remove-device@0"}, 0, false},
        ClickCase{"RightIdle", {win::kWmRButtonDown}, "", false, {"command-menu@0", "null@0"}, 0, false},
        // The right press cancels the device menu the left press left pending.
        ClickCase{
            "LeftThenRight", {kDown, kUp, win::kWmRButtonDown}, "", false, {"command-menu@0", "null@0"}, 0, false},
        ClickCase{"RightWaiting", {win::kWmRButtonDown}, "SATAService", false, {"service-wait-menu@0"}, 0, false},
        ClickCase{"RightBusy", {win::kWmRButtonDown}, "CConfigDlg", false, {}, 1, false},
        ClickCase{"Move", {win::kWmMouseMove}, "", false, {}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IconTest, TwoClicksFurtherApartThanTheDoubleClickTimeOpenTheMenuTwice) {
  host->deviceCount = 1;
  frame->UpdateIcon();
  ASSERT_TRUE(area.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(600);
  const std::uint64_t second = clock.NowMs();
  ASSERT_TRUE(area.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(2000);
  EXPECT_EQ(host->log, (std::vector<std::string>{"device-menu@500", "device-menu@" + std::to_string(second + 500)}));
}

TEST_F(IconTest, ADialogOpenedBeforeTheDoubleClickTimeEndsComesForwardInsteadOfTheMenu) {
  host->deviceCount = 1;
  frame->UpdateIcon();
  ASSERT_TRUE(area.Click(frame->id(), kTrayIconId, win::kWmLButtonDown));
  RunUntil(200);
  host->marker = "CRemoveDeviceDlg";
  RunUntil(2000);
  EXPECT_TRUE(host->log.empty());
  EXPECT_EQ(desktop.positionCalls().size(), 2u);
}

TEST_F(IconTest, TheMouseIsIgnoredWhileTheMessageBoxIsUpAndAnEmptyListTakesTheIconAway) {
  frame->UpdateIcon();
  host->show = 1;
  host->messageBoxOnScreen = true;
  EXPECT_EQ(desktop.Send(frame->id(), kIconCallbackMessage, kTrayIconId, win::kWmLButtonDown), 0);
  EXPECT_TRUE(host->log.empty());
  EXPECT_NE(Icon(), nullptr);

  host->messageBoxOnScreen = false;
  EXPECT_EQ(desktop.Send(frame->id(), kIconCallbackMessage, kTrayIconId, win::kWmMouseMove), 1);
  EXPECT_EQ(Icon(), nullptr);
}

}  // namespace
}  // namespace holvara
