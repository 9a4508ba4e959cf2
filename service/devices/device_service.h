// The device work as the service host calls it: one device list and one device-control object
// over the same system ports.
#pragma once

#include "service/device_work.h"
#include "service/devices/device_control.h"
#include "service/devices/device_list.h"

namespace holvara {

class DeviceService : public DeviceWork {
 public:
  explicit DeviceService(const DevicePorts& ports) : list_(ports), control_(ports) {}

  std::uint32_t Refresh(std::uint32_t searchCode) override;
  DeviceRecord Record(std::uint8_t index) override;
  std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) override;
  std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) override;
  RemovalReport RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) override;
  std::uint32_t Rescan() override;

  const DeviceList& list() const { return list_; }

 private:
  DeviceList list_;
  DeviceControl control_;
};

}  // namespace holvara
