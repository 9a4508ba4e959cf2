// Virtual time as a simulated message loop sees it. A loop with nothing to do until a timer is due
// lets time pass up to that point; on the simulated kernel the other simulated threads (workers,
// the service) run meanwhile, so one clock serves the desktop and the kernel alike.
#pragma once

#include <cstdint>

namespace holvara {

class SimTimeline {
 public:
  virtual ~SimTimeline() = default;
  virtual std::uint64_t NowMs() = 0;
  // Returns once virtual time has reached timeMs (at once when it already has).
  virtual void PassUntil(std::uint64_t timeMs) = 0;
};

}  // namespace holvara
