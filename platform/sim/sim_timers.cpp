#include "platform/sim/sim_timers.h"

#include <algorithm>

namespace holvara {

SimTimers::SimTimers(SimWindowTable& table) : table_(table) {
  table_.OnForget([this](WindowId window) {
    std::erase_if(timers_, [&](const SimTimer& timer) { return timer.window == window; });
  });
}

void SimTimers::StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) {
  if (table_.Find(window) == nullptr) return;
  StopTimer(window, id);
  const std::uint32_t interval = std::max(intervalMs, kShortestTimerMs);
  timers_.push_back({window, id, interval, table_.clock().NowMs() + interval, table_.NextOrder()});
}

void SimTimers::StopTimer(WindowId window, std::uintptr_t id) {
  std::erase_if(timers_, [&](const SimTimer& timer) { return timer.window == window && timer.id == id; });
}

std::optional<std::uint32_t> SimTimers::TimerInterval(WindowId window, std::uintptr_t id) const {
  for (const SimTimer& timer : timers_) {
    if (timer.window == window && timer.id == id) return timer.interval;
  }
  return std::nullopt;
}

SimTimer* SimTimers::DueFirst() {
  const auto timer = std::min_element(timers_.begin(), timers_.end(), [](const SimTimer& a, const SimTimer& b) {
    return a.due < b.due || (a.due == b.due && a.order < b.order);
  });
  return timer == timers_.end() ? nullptr : &*timer;
}

}  // namespace holvara
