// Reports the service's state to the Service Control Manager, retrying a refused report a few
// times before it gives up on the service.
#pragma once

#include <cstdint>
#include <functional>

#include "platform/ports/clock.h"
#include "platform/ports/service_control.h"

namespace holvara {

class StatusReporter {
 public:
  static constexpr int kAttempts = 6;
  static constexpr std::uint32_t kRetryDelayMs = 200;

  // onPersistentFailure runs when a report is refused kAttempts times.
  StatusReporter(ServiceControl& scm, Clock& clock, std::function<void()> onPersistentFailure);

  // True when the Service Control Manager accepted the report.
  bool Report(std::uint32_t state, std::uint32_t win32ExitCode, std::uint32_t specificExitCode,
              std::uint32_t checkPoint, std::uint32_t waitHint);

 private:
  ServiceControl& scm_;
  Clock& clock_;
  std::function<void()> onPersistentFailure_;
};

}  // namespace holvara
