#include "platform/sim/sim_threads.h"

#include <utility>

#include "platform/ports/ipc.h"

namespace holvara {
namespace {

struct ThreadState {
  bool ended = false;
  std::uint32_t exitCode = kThreadStillActive;
};

// A thread object that goes before its thread was resumed ends the suspended thread and frees its
// body, as the port asks.
class SimThread : public Thread {
 public:
  SimThread(SimScheduler& scheduler, std::shared_ptr<ThreadState> state, std::function<void()> start,
            std::shared_ptr<SimThreads::Counts> counts)
      : scheduler_(scheduler), state_(std::move(state)), start_(std::move(start)), counts_(std::move(counts)) {}
  ~SimThread() override {
    if (!start_) return;
    auto lock = scheduler_.Lock();
    --counts_->suspended;
  }

  bool Wait(std::uint32_t timeoutMs) override {
    auto lock = scheduler_.Lock();
    return scheduler_.BlockUntil(
        lock, [this] { return state_->ended; },
        timeoutMs == kWaitForever ? std::nullopt : std::optional<std::uint64_t>(timeoutMs));
  }

  std::uint32_t ExitCode() override {
    auto lock = scheduler_.Lock();
    return state_->exitCode;
  }

  bool Resume() override {
    {
      auto lock = scheduler_.Lock();
      if (start_ && counts_->failingResumes > 0) {
        --counts_->failingResumes;
        return false;
      }
    }
    Run();
    return true;
  }

  void Run() {
    if (!start_) return;
    {
      auto lock = scheduler_.Lock();
      --counts_->suspended;
    }
    std::exchange(start_, {})();
  }

 private:
  SimScheduler& scheduler_;
  std::shared_ptr<ThreadState> state_;
  std::function<void()> start_;  // until a suspended thread is resumed
  std::shared_ptr<SimThreads::Counts> counts_;
};

}  // namespace

std::unique_ptr<Thread> SimThreads::Start(std::function<std::uint32_t()> body) {
  auto thread = StartSuspended(std::move(body));
  if (thread) static_cast<SimThread&>(*thread).Run();
  return thread;
}

std::unique_ptr<Thread> SimThreads::StartSuspended(std::function<std::uint32_t()> body) {
  {
    auto lock = scheduler_.Lock();
    if (failingStarts_ > 0) {
      --failingStarts_;
      return nullptr;
    }
  }
  {
    auto lock = scheduler_.Lock();
    ++counts_->suspended;
  }
  auto state = std::make_shared<ThreadState>();
  auto start = [this, state, body = std::move(body)]() mutable {
    scheduler_.Spawn([this, state, body = std::move(body)] {
      const std::uint32_t exitCode = body();
      auto lock = scheduler_.Lock();
      state->exitCode = exitCode;
      state->ended = true;
      scheduler_.Changed();
    });
  };
  return std::make_unique<SimThread>(scheduler_, state, std::move(start), counts_);
}

void SimThreads::FailStarts(int count) {
  auto lock = scheduler_.Lock();
  failingStarts_ = count;
}

void SimThreads::FailResumes(int count) {
  auto lock = scheduler_.Lock();
  counts_->failingResumes = count;
}

int SimThreads::suspendedThreads() const {
  auto lock = scheduler_.Lock();
  return counts_->suspended;
}

}  // namespace holvara
