// The requests holvara-sim understands: each takes its words from the command line, runs through
// the device service and answers with one JSON object.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "apps/holvara-sim/list_request.h"
#include "service/devices/device_service.h"

namespace holvara::simtool {

// A request word that cannot be used; the message says which and why.
struct RequestError {
  std::string message;
};

// What a request runs against: the service on the simulated machine, and the tray-side settings
// that only "list" reads.
struct RequestContext {
  DeviceService& service;
  const TraySettings& tray;
};

struct RequestKind {
  std::string_view name;
  std::string_view usage;
  std::size_t argumentCount;
  nlohmann::ordered_json (*run)(RequestContext& context, std::span<const std::string> arguments);
};

std::span<const RequestKind> RequestKinds();

}  // namespace holvara::simtool
