// Simulated window timers on the table's virtual clock; the message loop takes the one due first.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/ports/timers.h"
#include "platform/sim/sim_window_table.h"

namespace holvara {

struct SimTimer {
  WindowId window;
  std::uintptr_t id;
  std::uint32_t interval;
  std::uint64_t due;
  std::uint64_t order;
};

class SimTimers : public virtual Timers {
 public:
  // The system's shortest timer interval (USER_TIMER_MINIMUM); shorter ones are raised to it.
  static constexpr std::uint32_t kShortestTimerMs = 10;

  // A destroyed window's timers go with it.
  explicit SimTimers(SimWindowTable& table);

  void StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) override;
  void StopTimer(WindowId window, std::uintptr_t id) override;

  std::optional<std::uint32_t> TimerInterval(WindowId window, std::uintptr_t id) const;
  // The timer due first (the one started first among those due together), or nullptr.
  SimTimer* DueFirst();

 private:
  SimWindowTable& table_;
  std::vector<SimTimer> timers_;
};

}  // namespace holvara
