#include "platform/sim/sim_scheduler.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace holvara {

void SimScheduler::JoinAll() {
  std::vector<std::thread> threads;
  {
    auto lock = Lock();
    BlockUntil(
        lock, [this] { return knownThreads_ == 1; }, std::nullopt);
    threads.swap(threads_);
  }
  for (auto& thread : threads) thread.join();
}

bool SimScheduler::BlockUntil(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                              std::optional<std::uint64_t> timeoutMs) {
  Waiter self;
  if (timeoutMs) self.deadline = now_ + *timeoutMs;
  waiters_.push_back(&self);
  bool satisfied = false;
  for (;;) {
    if (ready()) {
      satisfied = true;
      break;
    }
    if (self.deadline && now_ >= *self.deadline) break;
    self.runnable = false;
    AdvanceIfAllBlocked();
    wake_.wait(lock, [&self] { return self.runnable; });
  }
  waiters_.remove(&self);
  return satisfied;
}

void SimScheduler::Changed() {
  for (Waiter* waiter : waiters_) waiter->runnable = true;
  wake_.notify_all();
}

void SimScheduler::AdvanceIfAllBlocked() {
  const auto blocked =
      std::count_if(waiters_.begin(), waiters_.end(), [](const Waiter* waiter) { return !waiter->runnable; });
  if (blocked < knownThreads_) return;
  std::optional<std::uint64_t> earliest;
  for (const Waiter* waiter : waiters_) {
    if (waiter->deadline && (!earliest || *waiter->deadline < *earliest)) earliest = waiter->deadline;
  }
  if (!earliest) {
    // Nothing can ever wake any thread: a hang on a real system, a loud failure here.
    std::fputs("SimScheduler: every thread waits without a deadline (deadlock)\n", stderr);
    std::abort();
  }
  now_ = std::max(now_, *earliest);
  Changed();
}

void SimScheduler::Spawn(std::function<void()> body) {
  auto lock = Lock();
  ++knownThreads_;
  threads_.emplace_back([this, body = std::move(body)] {
    body();
    auto lock = Lock();
    --knownThreads_;
    Changed();
  });
}

}  // namespace holvara
