// A desktop of simulated windows on the virtual clock, shared by every simulated process of one
// PC. Messages are dispatched in order; when none is waiting, virtual time jumps to the next due
// timer or scheduled action. A scripted user answers message boxes and dialogs: a test says how
// the next box or dialog is answered, and reads back what the program showed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/ui.h"
#include "platform/sim/sim_resources.h"
#include "platform/sim/sim_timeline.h"

namespace holvara {

struct SimShownBox {
  WindowId owner;
  std::string text;
  std::string caption;
  std::uint32_t style;
};

struct SimPositionCall {
  WindowId window;
  WindowId insertAfter;
  std::uint32_t flags;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

class SimDesktop : public Ui {
 public:
  // What RunMessageLoop returns when it stopped without WM_QUIT.
  static constexpr int kLoopIdle = -1000;
  static constexpr int kLoopTimeLimit = -1001;
  static constexpr std::uint64_t kPatienceMs = 60 * 60 * 1000;
  // Messages dispatched at one instant before a loop counts as running away: a window that keeps
  // posting to itself never lets time pass.
  static constexpr int kMaxStepsAtOneInstant = 100000;
  // The system's shortest timer interval (USER_TIMER_MINIMUM); shorter ones are raised to it.
  static constexpr std::uint32_t kShortestTimerMs = 10;

  // On a SimClock for logic on one thread, or on a SimKernel's timeline so that simulated worker
  // and service threads run while a loop waits.
  explicit SimDesktop(SimTimeline& clock) : clock_(clock) {}

  // Ui.
  WindowId Create(const WindowCreation& creation, WindowHandler& handler) override;
  std::intptr_t DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                  std::intptr_t lParam) override;
  void Destroy(WindowId window) override;
  WindowId FindByTitle(std::string_view title) override;
  void SetTitle(WindowId window, std::string_view title) override;
  std::string Title(WindowId window) override;
  void Show(WindowId window, int command) override;
  bool IsVisible(WindowId window) override;
  bool IsEnabled(WindowId window) override;
  void Enable(WindowId window, bool enable) override;
  WindowId LastActivePopup(WindowId window) override;
  void SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                   std::uint32_t flags) override;
  bool SetProperty(WindowId window, std::string_view name, std::uintptr_t value) override;
  std::uintptr_t Property(WindowId window, std::string_view name) override;
  void RemoveProperty(WindowId window, std::string_view name) override;
  bool Post(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::intptr_t Send(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uint32_t RegisterMessage(std::string_view name) override;
  void PostQuit(int exitCode) override;
  int RunMessageLoop() override;
  MessageWait NextMessage(Message& message) override;
  // Enter gives the dialog IDOK, Escape and Alt+F4 give it IDCANCEL, as the system's dialog
  // handling does.
  bool RouteToDialog(WindowId dialog, const Message& message) override;
  void Dispatch(const Message& message) override;
  void StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) override;
  void StopTimer(WindowId window, std::uintptr_t id) override;
  int ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) override;
  // A dialog made here counts as modal until it is destroyed: its loop's patience starts now, and
  // an action of OnNextDialog runs when its loop first asks for a message.
  WindowId CreateModelessDialog(ModuleId module, int templateId, WindowId owner, WindowHandler& handler) override;
  WindowId DialogItem(WindowId dialog, int id) override;
  void SetItemText(WindowId dialog, int id, std::string_view text) override;
  std::string ItemText(WindowId dialog, int id) override;
  void EnableItem(WindowId dialog, int id, bool enable) override;
  void ShowItem(WindowId dialog, int id, bool show) override;
  void SetItemCheck(WindowId dialog, int id, int state) override;
  int ItemCheck(WindowId dialog, int id) override;
  void InitCommonControls() override { commonControlsInitialised_ = true; }

  // The scripted user. A box is answered with the next queued answer (the usual "yes" of its
  // buttons when none is queued); whileShown runs while the box is on screen.
  void AnswerNextMessageBox(int result, std::function<void()> whileShown = {});
  // The next dialog of this template is handed to the action once it is initialised. The loop of
  // a dialog that nobody answers and that does not end by itself gives up (and the dialog is
  // listed as cancelled) when it idles, reaches the time limit or its patience, or runs away.
  void OnNextDialog(int templateId, std::function<void(WindowId dialog)> action);
  // A click on a control: a check box toggles, then the dialog gets the button's command.
  void ClickItem(WindowId dialog, int id);
  // A control of a dialog tells the dialog of a change: WM_NOTIFY with the control's id and a
  // header of that code, sent as the system's controls send it.
  void NotifyDialog(WindowId control, std::uint32_t code);
  // Runs the action when virtual time reaches timeMs (checked while a message loop waits).
  void At(std::uint64_t timeMs, std::function<void()> action);
  // Posts the message to every top-level window, as the system's broadcasts reach them.
  void Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // Message loops stop waiting once virtual time would pass this point. Without a limit, a loop
  // stops waiting an hour of virtual time after it began (a dialog's loop at the latest with the
  // loop it runs in), so a program that never settles ends its test instead of hanging it.
  void SetTimeLimit(std::uint64_t timeMs) { timeLimit_ = timeMs; }
  void ClearTimeLimit() { timeLimit_.reset(); }

  // What the program showed.
  const std::vector<SimShownBox>& messageBoxes() const { return boxes_; }
  // Templates of the dialogs made, and of those that were ever on screen.
  const std::vector<int>& shownDialogs() const { return dialogs_; }
  const std::vector<int>& dialogsSeen() const { return dialogsSeen_; }
  const std::vector<int>& cancelledDialogs() const { return cancelledDialogs_; }
  const std::vector<SimPositionCall>& positionCalls() const { return positions_; }
  bool Exists(WindowId window) const { return windows_.count(window) != 0; }
  std::uint32_t Style(WindowId window) const;
  WindowCreation Creation(WindowId window) const;
  std::vector<WindowId> Children(WindowId window) const;
  // The windows that are not controls, oldest first.
  std::vector<WindowId> TopLevelWindows() const;
  std::optional<std::uint32_t> TimerInterval(WindowId window, std::uintptr_t id) const;
  bool commonControlsInitialised() const { return commonControlsInitialised_; }
  // Top-level windows, top of the Z order first: the most recently made or shown on top.
  std::vector<WindowId> TopLevelZOrder() const;
  // A child's parent or a top-level window's owner.
  WindowId Owner(WindowId window) const;
  bool ItemEnabled(WindowId dialog, int id);
  bool ItemVisible(WindowId dialog, int id);

 private:
  struct Control {
    SimControlTemplate templ;
    WindowId window = kNoWindow;
    bool enabled = true;
    bool visible = true;
    int check = 0;
  };
  struct SimWindow {
    WindowHandler* handler = nullptr;
    WindowCreation creation;
    std::string title;
    bool visible = false;
    bool enabled = true;
    bool isChild = false;
    WindowId owner = kNoWindow;
    std::uint64_t order = 0;
    std::map<std::string, std::uintptr_t> properties;
    std::map<int, Control> controls;
    bool isDialog = false;
    int templateId = 0;
    bool everVisible = false;
  };
  struct Posted {
    WindowId window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  struct Timer {
    WindowId window;
    std::uintptr_t id;
    std::uint32_t interval;
    std::uint64_t due;
    std::uint64_t order;
  };
  struct Scheduled {
    std::uint64_t due;
    std::uint64_t order;
    std::function<void()> action;
  };
  struct BoxAnswer {
    int result;
    std::function<void()> whileShown;
  };
  // A loop that runs: the main loop (no dialog) or a dialog's own.
  struct Loop {
    WindowId dialog;
    std::uint64_t patienceEnd;
    std::function<void(WindowId)> action;
  };
  enum class GiveUp { kIdle, kTimeLimit };

  WindowId NewId();
  SimWindow* Find(WindowId window);
  Control* FindControl(WindowId dialog, int id);
  std::intptr_t Deliver(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  void SetVisible(SimWindow& window, bool visible);
  // A new loop gives up no later than the one it runs in, so nesting cannot stretch the patience.
  void BeginLoop(WindowId dialog, std::function<void(WindowId)> action);
  MessageWait Give(GiveUp reason);
  // True when the step may go on; a loop that dispatches too much at one instant runs away.
  bool CountStep();

  SimTimeline& clock_;
  WindowId nextId_ = 0x10000;
  std::uint64_t nextOrder_ = 0;
  std::map<WindowId, SimWindow> windows_;
  std::deque<Posted> queue_;
  std::vector<Timer> timers_;
  std::vector<Scheduled> scheduled_;
  std::map<std::string, std::uint32_t> registered_;
  std::optional<int> quitCode_;
  std::optional<std::uint64_t> timeLimit_;
  std::vector<Loop> loops_;  // innermost last
  GiveUp lastGiveUp_ = GiveUp::kIdle;
  std::uint64_t instant_ = 0;
  int stepsAtInstant_ = 0;
  std::deque<BoxAnswer> boxAnswers_;
  std::vector<std::pair<int, std::function<void(WindowId)>>> dialogActions_;
  std::vector<SimShownBox> boxes_;
  std::vector<int> dialogs_;
  std::vector<int> dialogsSeen_;
  std::vector<int> cancelledDialogs_;
  std::vector<SimPositionCall> positions_;
  bool commonControlsInitialised_ = false;
};

}  // namespace holvara
