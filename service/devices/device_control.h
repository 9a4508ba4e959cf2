// The stateless device-control object: removal of a device named by its first hardware ID and
// device object name, and the basic-disk check.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "common/protocol.h"
#include "service/devices/device_ports.h"

namespace holvara {

class DeviceControl {
 public:
  explicit DeviceControl(const DevicePorts& ports) : ports_(ports) {}

  // 1 when Plug and Play removed the subtree of the last "SCSI" device whose first hardware ID
  // and device object name both equal the requested ones, else 0.
  std::uint32_t GetDeviceRemove(std::string_view hardwareId, std::string_view deviceObjectName);
  // The same removal, with Plug and Play's reason when it refuses, and for a program's open
  // handle the programs the event log names. The report is of the last matching device, as the
  // result is.
  RemovalReport GetDeviceRemoveReport(std::string_view hardwareId, std::string_view deviceObjectName);
  // 1 when the disk opens and its layout shows a basic disk, else 0.
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber);

 private:
  // The search both removals share: every "SCSI" device whose first hardware ID and object name
  // match is handed to remove, which says whether it went; the result of the last one.
  std::uint32_t RemoveMatching(std::string_view hardwareId, std::string_view deviceObjectName,
                               const std::function<bool(DevNode)>& remove);
  RemovalReport RemoveWithReport(DevNode node);
  void AddBlockingPrograms(RemovalReport& report, DevNode node, EventLogMark since);

  DevicePorts ports_;
};

}  // namespace holvara
