#include "service/host/status_reporter.h"

#include <utility>

namespace holvara {

StatusReporter::StatusReporter(ServiceControl& scm, Clock& clock, std::function<void()> onPersistentFailure)
    : scm_(scm), clock_(clock), onPersistentFailure_(std::move(onPersistentFailure)) {}

bool StatusReporter::Report(std::uint32_t state, std::uint32_t win32ExitCode, std::uint32_t specificExitCode,
                            std::uint32_t checkPoint, std::uint32_t waitHint) {
  ServiceStatus status;
  status.serviceType = kServiceWin32OwnProcess;
  status.currentState = state;
  status.controlsAccepted = state == kServiceStartPending ? 0 : kServiceAcceptStop | kServiceAcceptShutdown;
  status.win32ExitCode = specificExitCode != 0 ? kErrorServiceSpecificError : win32ExitCode;
  status.serviceSpecificExitCode = specificExitCode;
  status.checkPoint = checkPoint;
  status.waitHint = waitHint;

  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    if (scm_.SetStatus(status)) return true;
    if (attempt < kAttempts) clock_.SleepMs(kRetryDelayMs);
  }
  onPersistentFailure_();
  return false;
}

}  // namespace holvara
