#include "platform/sim/sim_service_control.h"

#include <algorithm>
#include <memory>
#include <utility>

namespace holvara {

bool SimServiceControl::RunDispatcher(std::string_view serviceName, std::function<void()> serviceMain) {
  auto lock = scheduler_.Lock();
  if (!startedByScm_) return false;
  dispatchedName_ = serviceName;
  // A service started again after a stop is a new process: only its own reports count.
  const std::size_t firstReport = reports_.size();
  lock.unlock();

  // The main function may outlive this call, so its thread owns what it uses.
  const auto mainEnded = std::make_shared<bool>(false);
  const auto mainThread = threads_.Start([this, mainEnded, serviceMain = std::move(serviceMain)] {
    serviceMain();
    auto endLock = scheduler_.Lock();
    *mainEnded = true;
    scheduler_.Changed();
    return 0u;
  });

  // As the real dispatcher, it returns once the service has reported itself stopped, whether or
  // not its main function has returned yet.
  for (;;) {
    lock.lock();
    scheduler_.BlockUntil(
        lock, [&] { return !controls_.empty() || *mainEnded || StoppedReported(firstReport); }, std::nullopt);
    if (controls_.empty()) return true;
    const std::uint32_t control = controls_.front();
    controls_.pop_front();
    const auto handler = handler_;
    lock.unlock();
    if (handler) handler(control);
  }
}

bool SimServiceControl::StoppedReported(std::size_t firstReport) const {
  return std::any_of(
      reports_.begin() + static_cast<std::ptrdiff_t>(firstReport), reports_.end(),
      [](const Report& report) { return report.accepted && report.status.currentState == kServiceStopped; });
}

bool SimServiceControl::RegisterHandler(std::string_view serviceName, std::function<void(std::uint32_t)> handler) {
  auto lock = scheduler_.Lock();
  if (failRegistration_ || serviceName != dispatchedName_) return false;
  handler_ = std::move(handler);
  handlerRegistered_ = true;
  return true;
}

bool SimServiceControl::SetStatus(const ServiceStatus& status) {
  auto lock = scheduler_.Lock();
  const bool accepted = handlerRegistered_ && failingReports_ == 0;
  if (failingReports_ > 0) --failingReports_;
  reports_.push_back({status, accepted, scheduler_.Now()});
  scheduler_.Changed();
  return accepted;
}

void SimServiceControl::FailStatusReports(int count) {
  auto lock = scheduler_.Lock();
  failingReports_ = count;
}

void SimServiceControl::SendControl(std::uint32_t control) {
  auto lock = scheduler_.Lock();
  controls_.push_back(control);
  scheduler_.Changed();
}

bool SimServiceControl::WaitForState(std::uint32_t state, std::uint32_t timeoutMs) {
  auto lock = scheduler_.Lock();
  return scheduler_.BlockUntil(
      lock,
      [&] {
        for (const Report& report : reports_) {
          if (report.accepted && report.status.currentState == state) return true;
        }
        return false;
      },
      timeoutMs);
}

std::vector<SimServiceControl::Report> SimServiceControl::Reports() {
  auto lock = scheduler_.Lock();
  return reports_;
}

std::vector<std::uint32_t> SimServiceControl::AcceptedStates() {
  auto lock = scheduler_.Lock();
  std::vector<std::uint32_t> states;
  for (const Report& report : reports_) {
    if (report.accepted) states.push_back(report.status.currentState);
  }
  return states;
}

std::string SimServiceControl::DispatchedName() {
  auto lock = scheduler_.Lock();
  return dispatchedName_;
}

}  // namespace holvara
