// The Service Control Manager's dispatcher, handler registration and status reports. A process
// runs one service, so the callbacks live in process-wide storage that the system's plain
// function pointers can reach.
#pragma once

#include "platform/ports/service_control.h"

namespace holvara {

class Win32ServiceControl final : public ServiceControl {
 public:
  bool RunDispatcher(std::string_view serviceName, std::function<void()> serviceMain) override;
  bool RegisterHandler(std::string_view serviceName, std::function<void(std::uint32_t control)> handler) override;
  bool SetStatus(const ServiceStatus& status) override;
};

}  // namespace holvara
