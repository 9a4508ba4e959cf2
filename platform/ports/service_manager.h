// The Service Control Manager as any program may ask it: the state of an installed service.
// Connecting and querying a service's status are open to every authenticated user.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/service_control.h"

namespace holvara {

enum class ServiceQuery {
  kAnswered,      // state holds the service's current state (kServiceStopped, kServiceRunning, ...)
  kNotInstalled,  // the manager has no service of that name
  kUnanswered,    // the manager could not be asked (no connection, access denied)
};

struct ServiceStateReport {
  ServiceQuery query = ServiceQuery::kUnanswered;
  std::uint32_t state = 0;
};

class ServiceManager {
 public:
  virtual ~ServiceManager() = default;
  virtual ServiceStateReport QueryState(std::string_view serviceName) = 0;
};

}  // namespace holvara
