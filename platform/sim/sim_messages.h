// Simulated messages and message loops on the virtual clock. Messages are dispatched in order;
// when none is waiting, virtual time jumps to the next due timer or scheduled action. Every loop
// gives up at last, so a program that never settles ends its test instead of hanging it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/messages.h"
#include "platform/sim/sim_timers.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

class SimMessages : public virtual Messages {
 public:
  // What RunMessageLoop returns when it stopped without WM_QUIT.
  static constexpr int kLoopIdle = -1000;
  static constexpr int kLoopTimeLimit = -1001;
  static constexpr std::uint64_t kPatienceMs = 60 * 60 * 1000;
  // Messages dispatched at one instant before a loop counts as running away: a window that keeps
  // posting to itself never lets time pass.
  static constexpr int kMaxStepsAtOneInstant = 100000;

  // A destroyed dialog's loop goes with it.
  SimMessages(SimWindowTable& table, SimTimers& timers);

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

  // A dialog's loop, which counts from its creation until the dialog is destroyed; the action runs
  // when the loop first asks for a message. A new loop gives up no later than the one it runs in,
  // so nesting cannot stretch the patience.
  void BeginLoop(WindowId dialog, std::function<void(WindowId)> action);
  // Runs the action when virtual time reaches timeMs (checked while a message loop waits).
  void At(std::uint64_t timeMs, std::function<void()> action);
  // Posts the message to every top-level window, as the system's broadcasts reach them.
  void Broadcast(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
  // Message loops stop waiting once virtual time would pass this point. Without a limit, a loop
  // stops waiting an hour of virtual time after it began (a dialog's loop at the latest with the
  // loop it runs in).
  void SetTimeLimit(std::uint64_t timeMs) { timeLimit_ = timeMs; }
  void ClearTimeLimit() { timeLimit_.reset(); }
  // Templates of the dialogs whose loops gave up.
  const std::vector<int>& cancelledDialogs() const { return cancelledDialogs_; }

 private:
  struct Posted {
    WindowId window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
  };
  struct Scheduled {
    std::uint64_t due;
    std::uint64_t order;
    std::function<void()> action;
  };
  // A loop that runs: the main loop (no dialog) or a dialog's own.
  struct Loop {
    WindowId dialog;
    std::uint64_t patienceEnd;
    std::function<void(WindowId)> action;
  };
  enum class GiveUp { kIdle, kTimeLimit };

  MessageWait Give(GiveUp reason);
  // True when the step may go on; a loop that dispatches too much at one instant runs away.
  bool CountStep();

  SimWindowTable& table_;
  SimTimers& timers_;
  std::deque<Posted> queue_;
  std::vector<Scheduled> scheduled_;
  std::map<std::string, std::uint32_t> registered_;
  std::optional<int> quitCode_;
  std::optional<std::uint64_t> timeLimit_;
  std::vector<Loop> loops_;  // innermost last
  GiveUp lastGiveUp_ = GiveUp::kIdle;
  std::uint64_t instant_ = 0;
  int stepsAtInstant_ = 0;
  std::vector<int> cancelledDialogs_;
};

}  // namespace holvara
