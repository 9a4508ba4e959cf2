// The simulated system for code that runs on several threads: pipes and events, threads, the
// Service Control Manager and a clock, all on one virtual time (see SimScheduler). Construct it on
// the test's own thread, which it counts as one of its threads.
#pragma once

#include "platform/ports/clock.h"
#include "platform/sim/sim_ipc.h"
#include "platform/sim/sim_scheduler.h"
#include "platform/sim/sim_service_control.h"
#include "platform/sim/sim_threads.h"
#include "platform/sim/sim_timeline.h"

namespace holvara {

// The scheduler's time. A simulated desktop on it lets time pass by blocking its thread in the
// scheduler, so worker and service threads run while its loop waits for the next timer.
class SimKernelClock : public Clock, public SimTimeline {
 public:
  explicit SimKernelClock(SimScheduler& scheduler) : scheduler_(scheduler) {}
  std::uint64_t NowMs() override {
    auto lock = scheduler_.Lock();
    return scheduler_.Now();
  }
  void SleepMs(std::uint32_t ms) override {
    auto lock = scheduler_.Lock();
    scheduler_.BlockUntil(
        lock, [] { return false; }, ms);
  }
  void PassUntil(std::uint64_t timeMs) override {
    auto lock = scheduler_.Lock();
    if (timeMs > scheduler_.Now())
      scheduler_.BlockUntil(
          lock, [] { return false; }, timeMs - scheduler_.Now());
  }

 private:
  SimScheduler& scheduler_;
};

class SimKernel {
 public:
  SimKernel() = default;
  // Every simulated thread ends before the simulated objects it may use go away.
  ~SimKernel() { scheduler_.JoinAll(); }
  SimKernel(const SimKernel&) = delete;
  SimKernel& operator=(const SimKernel&) = delete;

  SimIpc& ipc() { return ipc_; }
  SimThreads& threads() { return threads_; }
  SimServiceControl& scm() { return scm_; }
  Clock& clock() { return clock_; }
  // For a simulated desktop whose loops share the kernel's time.
  SimTimeline& timeline() { return clock_; }
  // Waits, in virtual time, until every thread started on the kernel has ended.
  void JoinThreads() { scheduler_.JoinAll(); }
  std::uint64_t NowMs() { return clock_.NowMs(); }

 private:
  SimScheduler scheduler_;
  SimIpc ipc_{scheduler_};
  SimThreads threads_{scheduler_};
  SimServiceControl scm_{scheduler_, threads_};
  SimKernelClock clock_{scheduler_};
};

}  // namespace holvara
