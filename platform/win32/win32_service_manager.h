// The state of an installed service over ADVAPI32's service functions.
#pragma once

#include "platform/ports/service_manager.h"

namespace holvara {

class Win32ServiceManager final : public ServiceManager {
 public:
  ServiceStateReport QueryState(std::string_view serviceName) override;
};

}  // namespace holvara
