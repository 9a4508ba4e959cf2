#include "service/devices/device_service.h"

namespace holvara {

std::uint32_t DeviceService::Refresh(std::uint32_t searchCode) {
  list_.InitDeviceList(searchCode);
  return list_.OccupiedSlots();
}

DeviceRecord DeviceService::Record(std::uint8_t index) { return list_.Record(index); }

std::uint32_t DeviceService::CheckBasicDisk(std::uint8_t diskNumber) { return control_.CheckBasicDisk(diskNumber); }

std::uint32_t DeviceService::Remove(std::string_view hardwareId, std::string_view deviceObjectName) {
  return control_.GetDeviceRemove(hardwareId, deviceObjectName);
}

RemovalReport DeviceService::RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) {
  return control_.GetDeviceRemoveReport(hardwareId, deviceObjectName);
}

std::uint32_t DeviceService::Rescan() { return list_.SetRescanDevice(); }

}  // namespace holvara
