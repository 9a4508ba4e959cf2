// The Service Control Manager as a service process meets it: the dispatcher that takes over the
// main thread, the control handler and the status reports.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace holvara {

inline constexpr std::uint32_t kServiceWin32OwnProcess = 0x10;

inline constexpr std::uint32_t kServiceStopped = 1;
inline constexpr std::uint32_t kServiceStartPending = 2;
inline constexpr std::uint32_t kServiceStopPending = 3;
inline constexpr std::uint32_t kServiceRunning = 4;

inline constexpr std::uint32_t kServiceAcceptStop = 0x1;
inline constexpr std::uint32_t kServiceAcceptShutdown = 0x4;

inline constexpr std::uint32_t kServiceControlStop = 1;
inline constexpr std::uint32_t kServiceControlInterrogate = 4;
inline constexpr std::uint32_t kServiceControlShutdown = 5;

inline constexpr std::uint32_t kErrorServiceSpecificError = 1066;

struct ServiceStatus {
  std::uint32_t serviceType = 0;
  std::uint32_t currentState = 0;
  std::uint32_t controlsAccepted = 0;
  std::uint32_t win32ExitCode = 0;
  std::uint32_t serviceSpecificExitCode = 0;
  std::uint32_t checkPoint = 0;
  std::uint32_t waitHint = 0;
};

class ServiceControl {
 public:
  virtual ~ServiceControl() = default;
  // Hands the calling thread to the dispatcher, which runs serviceMain on a thread of its own and
  // delivers controls on the calling thread; returns when the service has ended. False at once
  // when the process was not started by the Service Control Manager.
  virtual bool RunDispatcher(std::string_view serviceName, std::function<void()> serviceMain) = 0;
  // Registers the control handler; false when the registration failed.
  virtual bool RegisterHandler(std::string_view serviceName, std::function<void(std::uint32_t control)> handler) = 0;
  // False when the report failed.
  virtual bool SetStatus(const ServiceStatus& status) = 0;
};

}  // namespace holvara
