// The simulated desktop's clockwork: timers and scheduled actions on virtual time, posted
// messages before timers, the loop's end, and the scripted answers to message boxes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_resources.h"

namespace holvara {
namespace {

class Recorder : public WindowHandler {
 public:
  Recorder(SimClock& clock, SimDesktop& desktop) : clock_(clock), desktop_(desktop) {}
  std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) override {
    if (message == win::kWmTimer) {
      ticks.push_back(std::to_string(wParam) + "@" + std::to_string(clock_.NowMs()));
      if (onTick) onTick(window, wParam);
    }
    if (message == win::kWmUser && !onMessage) ticks.push_back("posted@" + std::to_string(clock_.NowMs()));
    if (onMessage) onMessage(window, message);
    return desktop_.DefaultProcessing(window, message, wParam, lParam);
  }

  std::vector<std::string> ticks;
  std::function<void(WindowId, std::uintptr_t)> onTick;
  std::function<void(WindowId, std::uint32_t)> onMessage;

 private:
  SimClock& clock_;
  SimDesktop& desktop_;
};

class SimDesktopTest : public ::testing::Test {
 protected:
  SimClock clock;
  SimDesktop desktop{clock};
  Recorder recorder{clock, desktop};
  WindowId window = desktop.Create({}, recorder);
};

TEST_F(SimDesktopTest, TimersFireAsVirtualTimePasses) {
  desktop.StartTimer(window, 1, 2000);
  desktop.StartTimer(window, 4, 1600);
  recorder.onTick = [&](WindowId target, std::uintptr_t id) {
    desktop.StopTimer(target, id);
    if (id == 1) desktop.StartTimer(target, 1, 5000);
  };
  desktop.SetTimeLimit(12000);
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopTimeLimit);
  EXPECT_EQ(recorder.ticks, (std::vector<std::string>{"4@1600", "1@2000", "1@7000", "1@12000"}));
}

TEST_F(SimDesktopTest, RestartingATimerPushesItsTickBack) {
  desktop.StartTimer(window, 4, 1600);
  desktop.At(500, [&] { desktop.StartTimer(window, 4, 1600); });
  desktop.At(1000, [&] { desktop.StartTimer(window, 4, 1600); });
  recorder.onTick = [&](WindowId target, std::uintptr_t id) { desktop.StopTimer(target, id); };
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopIdle);
  EXPECT_EQ(recorder.ticks, std::vector<std::string>{"4@2600"});
}

TEST_F(SimDesktopTest, PostedMessagesComeBeforeTimersAndQuitEndsTheLoop) {
  desktop.StartTimer(window, 1, 0);  // raised to the system's shortest interval
  desktop.Post(window, win::kWmUser, 0, 0);
  recorder.onTick = [&](WindowId, std::uintptr_t) { desktop.PostQuit(3); };
  EXPECT_EQ(desktop.RunMessageLoop(), 3);
  EXPECT_EQ(recorder.ticks, (std::vector<std::string>{"posted@0", "1@10"}));
}

TEST_F(SimDesktopTest, ALoopThatNeverSettlesGivesUpAfterItsPatience) {
  desktop.StartTimer(window, 1, 0);
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopTimeLimit);
  EXPECT_EQ(clock.NowMs(), SimDesktop::kPatienceMs);
  EXPECT_EQ(recorder.ticks.size(), SimDesktop::kPatienceMs / SimDesktop::kShortestTimerMs);
}

TEST_F(SimDesktopTest, ALoopThatRunsAwayAtOneInstantGivesUp) {
  recorder.onMessage = [&](WindowId target, std::uint32_t message) {
    if (message == win::kWmUser) desktop.Post(target, win::kWmUser, 0, 0);
  };
  desktop.Post(window, win::kWmUser, 0, 0);
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopTimeLimit);
  EXPECT_EQ(clock.NowMs(), 0u);
}

// A modal loop of the kind a dialog framework runs: the owner disabled, messages dispatched until
// the loop gives up, which ends the dialog as cancelled.
std::intptr_t RunModal(SimDesktop& desktop, ModuleId module, int templateId, WindowId owner, WindowHandler& handler) {
  desktop.Enable(owner, false);
  const WindowId dialog = desktop.CreateModelessDialog(module, templateId, owner, handler);
  Message message;
  while (desktop.NextMessage(message) == MessageWait::kMessage) desktop.Dispatch(message);
  desktop.Enable(owner, true);
  desktop.Destroy(dialog);
  return win::kIdCancel;
}

// A dialog that ticks for ever, ignores Cancel and, on its first tick, opens another like itself.
class StubbornDialog : public WindowHandler {
 public:
  StubbornDialog(SimDesktop& desktop, ModuleId module, StubbornDialog* nested)
      : desktop_(desktop), module_(module), nested_(nested) {}
  std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t, std::intptr_t) override {
    if (message == win::kWmInitDialog) desktop_.StartTimer(window, 1, 1000);
    if (message == win::kWmTimer && nested_ && !openedNested_) {
      openedNested_ = true;
      nestedResult = RunModal(desktop_, module_, kInner, window, *nested_);
    }
    return 0;
  }

  static constexpr int kOuter = 300;
  static constexpr int kInner = 301;
  std::intptr_t nestedResult = 0;

 private:
  SimDesktop& desktop_;
  ModuleId module_;
  StubbornDialog* nested_;
  bool openedNested_ = false;
};

TEST_F(SimDesktopTest, NestedDialogsThatNeverEndAreCancelledAfterTheirPatience) {
  SimResourceData library;
  library.dialogs[StubbornDialog::kOuter] = {"Outer", false, {}};
  library.dialogs[StubbornDialog::kInner] = {"Inner", false, {}};
  const auto module = reinterpret_cast<ModuleId>(&library);
  StubbornDialog inner(desktop, module, nullptr);
  StubbornDialog outer(desktop, module, &inner);

  EXPECT_EQ(RunModal(desktop, module, StubbornDialog::kOuter, window, outer), win::kIdCancel);
  EXPECT_EQ(outer.nestedResult, win::kIdCancel);
  EXPECT_EQ(desktop.cancelledDialogs(), (std::vector<int>{StubbornDialog::kInner, StubbornDialog::kOuter}));
  EXPECT_EQ(clock.NowMs(), SimDesktop::kPatienceMs);  // the inner one gives up with the outer one
  EXPECT_TRUE(desktop.IsEnabled(window));
}

TEST_F(SimDesktopTest, ClosingTheWindowStopsItsTimers) {
  desktop.StartTimer(window, 1, 100);
  desktop.Post(window, win::kWmClose, 0, 0);
  EXPECT_EQ(desktop.RunMessageLoop(), SimDesktop::kLoopIdle);
  EXPECT_FALSE(desktop.Exists(window));
  EXPECT_TRUE(recorder.ticks.empty());
}

TEST_F(SimDesktopTest, MessageBoxesTakeTheQueuedAnswerOrTheUsualYes) {
  desktop.AnswerNextMessageBox(win::kIdCancel);
  EXPECT_EQ(desktop.ShowMessageBox(window, "first", "caption", win::kMbOkCancel), win::kIdCancel);
  EXPECT_EQ(desktop.ShowMessageBox(window, "second", "caption", win::kMbYesNo), win::kIdYes);
  EXPECT_EQ(desktop.ShowMessageBox(kNoWindow, "third", "caption", win::kMbOk), win::kIdOk);
  ASSERT_EQ(desktop.messageBoxes().size(), 3u);
  EXPECT_EQ(desktop.messageBoxes()[1].text, "second");
  EXPECT_EQ(desktop.messageBoxes()[1].owner, window);
}

TEST_F(SimDesktopTest, WindowsAreFoundByTitleAndCarryProperties) {
  desktop.SetTitle(window, "Holvara");
  EXPECT_EQ(desktop.FindByTitle("holvara"), window);
  EXPECT_EQ(desktop.Property(window, "CConfigDlg"), 0u);
  desktop.SetProperty(window, "CConfigDlg", 1);
  EXPECT_EQ(desktop.Property(window, "CConfigDlg"), 1u);
  desktop.RemoveProperty(window, "CConfigDlg");
  EXPECT_EQ(desktop.Property(window, "CConfigDlg"), 0u);
  EXPECT_EQ(desktop.RegisterMessage("HOLVARA"), desktop.RegisterMessage("holvara"));
}

}  // namespace
}  // namespace holvara
