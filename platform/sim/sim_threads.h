// Threads that the scheduler knows of, so that virtual time waits for them too.
#pragma once

#include "platform/ports/threads.h"
#include "platform/sim/sim_scheduler.h"

namespace holvara {

class SimThreads : public Threads {
 public:
  explicit SimThreads(SimScheduler& scheduler) : scheduler_(scheduler) {}
  std::unique_ptr<Thread> Start(std::function<std::uint32_t()> body) override;
  std::unique_ptr<Thread> StartSuspended(std::function<std::uint32_t()> body) override;

  // Makes the next Start or StartSuspended calls fail, as CreateThread does when the system is out of resources.
  void FailStarts(int count);
  // Makes the next Resume calls fail; such a thread stays suspended with its body.
  void FailResumes(int count);
  // Threads made suspended and neither resumed nor ended with their object yet, each holding its
  // body.
  int suspendedThreads() const;

  // Shared with the thread objects, under the scheduler's lock.
  struct Counts {
    int failingResumes = 0;
    int suspended = 0;
  };

 private:
  SimScheduler& scheduler_;
  int failingStarts_ = 0;
  std::shared_ptr<Counts> counts_ = std::make_shared<Counts>();
};

}  // namespace holvara
