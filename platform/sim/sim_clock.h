// A virtual clock for logic that runs on one thread: a sleep moves time on at once.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports/clock.h"
#include "platform/sim/sim_timeline.h"

namespace holvara {

class SimClock : public Clock, public SimTimeline {
 public:
  std::uint64_t NowMs() override { return now_; }
  void SleepMs(std::uint32_t ms) override {
    sleeps_.push_back(ms);
    now_ += ms;
  }
  void PassUntil(std::uint64_t timeMs) override {
    if (timeMs > now_) now_ = timeMs;
  }

  void Advance(std::uint64_t ms) { now_ += ms; }
  const std::vector<std::uint32_t>& sleeps() const { return sleeps_; }

 private:
  std::uint64_t now_ = 0;
  std::vector<std::uint32_t> sleeps_;
};

}  // namespace holvara
