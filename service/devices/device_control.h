// The stateless device-control object: removal of a device named by its first hardware ID and
// device object name, and the basic-disk check.
#pragma once

#include <cstdint>
#include <string_view>

#include "service/devices/device_ports.h"

namespace holvara {

class DeviceControl {
 public:
  explicit DeviceControl(const DevicePorts& ports) : ports_(ports) {}

  // 1 when Plug and Play removed the subtree of the last "SCSI" device whose first hardware ID
  // and device object name both equal the requested ones, else 0.
  std::uint32_t GetDeviceRemove(std::string_view hardwareId, std::string_view deviceObjectName);
  // 1 when the disk opens and its layout shows a basic disk, else 0.
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber);

 private:
  DevicePorts ports_;
};

}  // namespace holvara
