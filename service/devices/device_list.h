// The device list: owns the device table, rebuilds it for a search code, turns its slots into
// records with their drive letters, and starts the re-enumeration of the device tree.
#pragma once

#include <cstddef>
#include <cstdint>

#include "common/protocol.h"
#include "service/devices/device_ports.h"
#include "service/devices/device_table.h"

namespace holvara {

class DeviceList {
 public:
  explicit DeviceList(const DevicePorts& ports) : ports_(ports), table_{} {}

  // Rebuilds the device table for the search code.
  void InitDeviceList(std::uint32_t searchCode);
  // Slots whose present flag is 1.
  std::uint32_t OccupiedSlots() const;
  // The record of a slot, with its drive letters looked up afresh; all zero for an empty slot.
  DeviceRecord Record(std::uint8_t index);
  // Fills the record's letters (C to Z) and letter drive type for device number and device type.
  void FindDriveLetters(std::uint8_t deviceNumber, std::uint8_t deviceType, char (&letters)[26],
                        std::uint8_t& driveType);
  // The disk that holds the letter's volume according to WMI, or -1.
  int GetDiskNumberOfLetter(char letter);
  // 1 when re-enumeration of the whole tree was started, else 0.
  std::uint32_t SetRescanDevice();

  // Interface sets built by the last refresh (at most 3).
  std::size_t lastInterfaceSetBuilds() const { return lastInterfaceSetBuilds_; }

 private:
  DevicePorts ports_;
  DeviceTable table_;
  std::size_t lastInterfaceSetBuilds_ = 0;
};

}  // namespace holvara
