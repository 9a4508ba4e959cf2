// Window timers: WM_TIMER with the timer's id every interval until it is stopped.
#pragma once

#include <cstdint>

#include "platform/ports/program_windows.h"

namespace holvara {

class Timers {
 public:
  virtual ~Timers() = default;

  // Starting a running timer again restarts it with the new interval.
  virtual void StartTimer(WindowId window, std::uintptr_t id, std::uint32_t intervalMs) = 0;
  virtual void StopTimer(WindowId window, std::uintptr_t id) = 0;
};

}  // namespace holvara
