// Discrete-event time for simulated threads. Virtual time stands still while any known thread
// runs; when every known thread is blocked in the scheduler, time jumps to the earliest deadline
// among them. A 40-second retry loop therefore passes in microseconds, and the order of events
// is the same on every run.
//
// Known threads are the thread that constructed the scheduler and every thread it started. All
// simulated state lives under the scheduler's one mutex, so a wait's condition is always read
// consistently with the change that satisfies it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <list>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace holvara {

class SimScheduler {
 public:
  SimScheduler() = default;
  ~SimScheduler() { JoinAll(); }
  SimScheduler(const SimScheduler&) = delete;
  SimScheduler& operator=(const SimScheduler&) = delete;

  std::unique_lock<std::mutex> Lock() { return std::unique_lock(mutex_); }

  // With the lock held: blocks the calling known thread until ready() holds (true) or the virtual
  // time-out has passed (false). ready() is evaluated under the lock.
  bool BlockUntil(std::unique_lock<std::mutex>& lock, const std::function<bool()>& ready,
                  std::optional<std::uint64_t> timeoutMs);
  // With the lock held: tells the blocked threads that simulated state has changed.
  void Changed();

  // With the lock held.
  std::uint64_t Now() const { return now_; }

  // Starts a known thread; body runs without the lock.
  void Spawn(std::function<void()> body);
  // Waits, in virtual time, until every thread it started has ended, then joins them.
  void JoinAll();

 private:
  struct Waiter {
    std::optional<std::uint64_t> deadline;
    bool runnable = true;
  };

  void AdvanceIfAllBlocked();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::uint64_t now_ = 0;
  int knownThreads_ = 1;
  std::list<Waiter*> waiters_;
  std::vector<std::thread> threads_;
};

}  // namespace holvara
