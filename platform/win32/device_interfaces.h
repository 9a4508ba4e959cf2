// The device information set port over SetupAPI.
#pragma once

#include "platform/ports/device_interfaces.h"

namespace holvara {

class Win32DeviceInterfaces final : public DeviceInterfaces {
 public:
  std::unique_ptr<DeviceInfoSet> ClassDevsOfInterface(const Guid& interfaceClass) override;
  std::unique_ptr<DeviceInfoSet> ClassDevsOfEnumerator(std::string_view enumerator) override;
};

}  // namespace holvara
