// Dialogs of the framework on the simulated desktop: the order of creation and initialisation,
// OK with data exchange, Cancel, commands, and a dialog opened from inside another's loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ports/ui_constants.h"
#include "platform/sim/sim_clock.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_resources.h"
#include "tray/framework/dialog.h"

namespace holvara::framework {
namespace {

constexpr int kTemplate = 200;
constexpr int kInnerTemplate = 201;
constexpr int kCheckBox = 1008;
constexpr int kLabel = 1000;
constexpr int kOpenInner = 1015;
constexpr int kEndWithSeven = 1016;

SimResourceData Library() {
  SimResourceData data;
  data.fileName = "Test.dll";
  data.dialogs[kTemplate] = {"Outer",
                             true,
                             {{kLabel, SimControlKind::kStatic, "label"},
                              {kCheckBox, SimControlKind::kCheckBox, "check"},
                              {kOpenInner, SimControlKind::kButton, "inner"},
                              {win::kIdOk, SimControlKind::kButton, "OK"},
                              {win::kIdCancel, SimControlKind::kButton, "Cancel"}}};
  data.dialogs[kInnerTemplate] = {
      "Inner", false, {{kLabel, SimControlKind::kStatic, ""}, {kEndWithSeven, SimControlKind::kButton, "7"}}};
  return data;
}

class RecordingDialog : public Dialog {
 public:
  RecordingDialog(Ui& ui, int templateId, std::vector<std::string>& events) : Dialog(ui, templateId), events_(events) {}

  int checked = 1;
  std::string label = "from member";
  std::intptr_t innerResult = 0;
  ModuleId module = 0;

 protected:
  int OnCreate() override {
    events_.push_back("create " + std::to_string(templateId()));
    return 0;
  }
  bool OnInitDialog() override {
    events_.push_back("init " + std::to_string(templateId()));
    return Dialog::OnInitDialog();
  }
  void DoDataExchange(DataExchange& exchange) override {
    if (templateId() != kTemplate) return;
    exchange.Check(kCheckBox, checked);
    exchange.Text(kLabel, label);
  }
  bool OnCommand(int controlId, std::uint32_t) override {
    if (controlId == kEndWithSeven) {
      EndDialog(7);
      return true;
    }
    if (controlId != kOpenInner) return false;
    RecordingDialog inner(ui(), kInnerTemplate, events_);
    innerResult = inner.DoModal(module, id());
    return true;
  }
  void OnDestroy() override { events_.push_back("destroy " + std::to_string(templateId())); }

 private:
  std::vector<std::string>& events_;
};

class DialogTest : public ::testing::Test {
 protected:
  ModuleId Module() const { return reinterpret_cast<ModuleId>(&library); }

  SimClock clock;
  SimDesktop desktop{clock};
  SimResourceData library = Library();
  std::vector<std::string> events;
};

TEST_F(DialogTest, OkSavesTheControlsIntoTheMembers) {
  RecordingDialog dialog(desktop, kTemplate, events);
  desktop.OnNextDialog(kTemplate, [&](WindowId window) {
    EXPECT_EQ(desktop.ItemCheck(window, kCheckBox), 1);
    EXPECT_EQ(desktop.ItemText(window, kLabel), "from member");
    desktop.ClickItem(window, kCheckBox);
    desktop.SetItemText(window, kLabel, "typed");
    desktop.ClickItem(window, win::kIdOk);
  });
  EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), win::kIdOk);
  EXPECT_EQ(dialog.checked, 0);
  EXPECT_EQ(dialog.label, "typed");
  EXPECT_EQ(events, (std::vector<std::string>{"create 200", "init 200", "destroy 200"}));
  EXPECT_EQ(dialog.id(), kNoWindow);
}

TEST_F(DialogTest, CancelKeepsTheMembers) {
  RecordingDialog dialog(desktop, kTemplate, events);
  desktop.OnNextDialog(kTemplate, [&](WindowId window) {
    desktop.ClickItem(window, kCheckBox);
    desktop.ClickItem(window, win::kIdCancel);
  });
  EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), win::kIdCancel);
  EXPECT_EQ(dialog.checked, 1);
  EXPECT_TRUE(desktop.cancelledDialogs().empty());
}

TEST_F(DialogTest, ADialogOpenedInsideAnotherRunsItsOwnLoopAndDisablesItsOwner) {
  RecordingDialog dialog(desktop, kTemplate, events);
  dialog.module = Module();
  WindowId outer = kNoWindow;
  desktop.OnNextDialog(kTemplate, [&](WindowId window) {
    outer = window;
    desktop.ClickItem(window, kOpenInner);
    EXPECT_TRUE(desktop.IsEnabled(window));
    desktop.ClickItem(window, win::kIdOk);
  });
  desktop.OnNextDialog(kInnerTemplate, [&](WindowId window) {
    EXPECT_FALSE(desktop.IsEnabled(outer));
    EXPECT_EQ(desktop.LastActivePopup(outer), window);
    desktop.ClickItem(window, kEndWithSeven);
  });
  EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), win::kIdOk);
  EXPECT_EQ(dialog.innerResult, 7);
  EXPECT_EQ(events, (std::vector<std::string>{"create 200", "init 200", "create 201", "init 201", "destroy 201",
                                              "destroy 200"}));
}

TEST_F(DialogTest, AnUnansweredDialogIsCancelledWhenNothingElseCanHappen) {
  RecordingDialog dialog(desktop, kTemplate, events);
  EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), win::kIdCancel);
  EXPECT_EQ(desktop.cancelledDialogs(), std::vector<int>{kTemplate});
}

// Hides itself in its initialisation when asked to, and swallows Escape before the dialog's
// keyboard handling sees it.
class QuietDialog : public Dialog {
 public:
  QuietDialog(Ui& ui, bool hide) : Dialog(ui, kTemplate), hide_(hide) {}

 protected:
  bool OnInitDialog() override {
    if (hide_) ShowWindow(win::kSwHide);
    return Dialog::OnInitDialog();
  }
  bool PreTranslateMessage(const Message& message) override {
    return message.message == win::kWmKeyDown && message.wParam == win::kVkEscape;
  }

 private:
  bool hide_;
};

TEST_F(DialogTest, ADialogThatHidesItselfIsNeverShownAndKeysGoFirstToItsOwnStep) {
  for (bool hide : {false, true}) {
    SimDesktop screen{clock};
    QuietDialog dialog(screen, hide);
    bool visibleWhileRunning = false;
    screen.OnNextDialog(kTemplate, [&](WindowId window) {
      visibleWhileRunning = screen.IsVisible(window);
      screen.Post(window, win::kWmKeyDown, win::kVkEscape, 0);  // swallowed
      screen.Post(window, win::kWmKeyDown, win::kVkReturn, 0);  // reaches the dialog: OK
    });
    EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), win::kIdOk) << hide;
    EXPECT_EQ(visibleWhileRunning, !hide);
    EXPECT_EQ(screen.dialogsSeen().empty(), hide);
  }
}

TEST_F(DialogTest, AMissingTemplateMakesNoDialog) {
  RecordingDialog dialog(desktop, 999, events);
  EXPECT_EQ(dialog.DoModal(Module(), kNoWindow), -1);
  EXPECT_TRUE(events.empty());
}

}  // namespace
}  // namespace holvara::framework
