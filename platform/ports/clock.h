// Time as the logic sees it: a millisecond clock and a sleep. The simulated clock is virtual, so
// waits of seconds pass in no real time.
#pragma once

#include <cstdint>

namespace holvara {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual std::uint64_t NowMs() = 0;
  virtual void SleepMs(std::uint32_t ms) = 0;
};

}  // namespace holvara
