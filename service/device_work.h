// What the service host asks of the device work: one call per command, run on the command's
// worker thread. The host knows nothing of devices; the device service implements this, and the
// host's own tests use a test double.
#pragma once

#include <cstdint>
#include <string_view>

#include "common/protocol.h"

namespace holvara {

class DeviceWork {
 public:
  virtual ~DeviceWork() = default;

  // Command 0: rebuilds the device table for the search code; returns the occupied slots (0..26).
  virtual std::uint32_t Refresh(std::uint32_t searchCode) = 0;
  // Command 1: the record of a table slot; an all-zero record for an empty slot or an index of 26 or more.
  virtual DeviceRecord Record(std::uint8_t index) = 0;
  // Command 2: 1 when the disk opens and is a basic disk, else 0.
  virtual std::uint32_t CheckBasicDisk(std::uint8_t diskNumber) = 0;
  // Command 3: 1 when the device with this first hardware ID and object name was removed, else 0.
  virtual std::uint32_t Remove(std::string_view hardwareId, std::string_view deviceObjectName) = 0;
  // Command 5: the removal of command 3, with the reason when Plug and Play refused it.
  virtual RemovalReport RemoveWithReport(std::string_view hardwareId, std::string_view deviceObjectName) = 0;
  // Command 4: 1 when re-enumeration of the device tree was started, else 0.
  virtual std::uint32_t Rescan() = 0;
};

}  // namespace holvara
