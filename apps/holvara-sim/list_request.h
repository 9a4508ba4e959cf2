// The "list" request: the tray program's device-list refresh, run in-process against the
// simulated machine through the real service client and the service's request dispatch.
#pragma once

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "service/devices/device_service.h"

namespace holvara::simtool {

// The tray-side settings the refresh reads; the defaults are those of a first start.
struct TraySettings {
  int searchCode = 64;
  int basic = 1;
  std::string windowsDirectory = "C:\\Windows";
  std::string currentDirectory = "C:\\Windows\\system32";
  std::vector<std::string> files;  // files present at drive roots, e.g. "E:\pagefile.sys"
};

nlohmann::ordered_json ListDevices(DeviceService& service, const TraySettings& settings);

}  // namespace holvara::simtool
