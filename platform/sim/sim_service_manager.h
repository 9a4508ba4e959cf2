// The simulated service manager: each service's state is the test's to set; a service it was not
// told about is not installed.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/ports/service_manager.h"

namespace holvara {

class SimServiceManager : public ServiceManager {
 public:
  ServiceStateReport QueryState(std::string_view serviceName) override {
    if (unanswered) return {};
    const auto found = states.find(std::string(serviceName));
    if (found == states.end()) return {ServiceQuery::kNotInstalled, 0};
    return {ServiceQuery::kAnswered, found->second};
  }

  std::map<std::string, std::uint32_t, std::less<>> states;
  bool unanswered = false;  // the manager cannot be asked
};

}  // namespace holvara
