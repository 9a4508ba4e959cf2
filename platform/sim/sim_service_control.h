// A Service Control Manager for one service: it records every status report, can refuse reports
// or the handler registration, and delivers controls that a test sends to the registered handler
// on the dispatcher's thread, as the real one does.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/ports/service_control.h"
#include "platform/sim/sim_scheduler.h"
#include "platform/sim/sim_threads.h"

namespace holvara {

class SimServiceControl : public ServiceControl {
 public:
  struct Report {
    ServiceStatus status;
    bool accepted;
    std::uint64_t atMs;
  };

  SimServiceControl(SimScheduler& scheduler, SimThreads& threads) : scheduler_(scheduler), threads_(threads) {}

  bool RunDispatcher(std::string_view serviceName, std::function<void()> serviceMain) override;
  bool RegisterHandler(std::string_view serviceName, std::function<void(std::uint32_t control)> handler) override;
  bool SetStatus(const ServiceStatus& status) override;

  // Scripted behaviour.
  void StartedByHand() { startedByScm_ = false; }
  void FailRegistration() { failRegistration_ = true; }
  void FailStatusReports(int count);

  // Queues a control for the dispatcher thread; returns at once.
  void SendControl(std::uint32_t control);
  // Blocks the calling thread, in virtual time, until an accepted report shows the state.
  bool WaitForState(std::uint32_t state, std::uint32_t timeoutMs);

  std::vector<Report> Reports();
  std::vector<std::uint32_t> AcceptedStates();
  std::string DispatchedName();

 private:
  // With the lock held: whether a stopped report was accepted since the report firstReport.
  bool StoppedReported(std::size_t firstReport) const;

  SimScheduler& scheduler_;
  SimThreads& threads_;
  bool startedByScm_ = true;
  bool failRegistration_ = false;
  int failingReports_ = 0;
  bool handlerRegistered_ = false;
  std::function<void(std::uint32_t)> handler_;
  std::deque<std::uint32_t> controls_;
  std::vector<Report> reports_;
  std::string dispatchedName_;
};

}  // namespace holvara
