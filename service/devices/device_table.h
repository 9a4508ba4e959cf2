// The service's table of up to 26 storage devices, rebuilt by every refresh and read by the
// record command.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "common/protocol.h"
#include "service/devices/storage_node.h"

namespace holvara {

struct DeviceSlot {
  std::uint32_t present;
  std::uint8_t deviceType;
  std::uint8_t deviceNumber;
  std::uint8_t partitionNumber;
  char path[32];
  char friendlyName[128];
  char adapterDescription[128];
  char parentHardwareId[128];
  char grandparentHardwareId[128];
  char deviceDescription[36];
  char hardwareId[64];
  char instanceSuffix[64];
  char deviceObjectName[128];
  char reserved[256];
};
static_assert(sizeof(DeviceSlot) == 1100);

using DeviceTable = std::array<DeviceSlot, kDeviceTableSlots>;

// Fills the table from the linked drives in order; unlinked drives and those past the 26th slot
// take no slot. The table is cleared first.
void FillDeviceTable(DeviceTable& table, const std::vector<DriveRecord>& drives);

}  // namespace holvara
