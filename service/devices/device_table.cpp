#include "service/devices/device_table.h"

#include "common/text_field.h"
#include "service/devices/multi_string.h"

namespace holvara {
namespace {

void FillSlot(DeviceSlot& slot, const DriveRecord& drive) {
  const StorageNode& node = *drive.node;
  slot.present = 1;
  slot.deviceType = static_cast<std::uint8_t>(drive.number.deviceType);
  slot.deviceNumber = static_cast<std::uint8_t>(drive.number.deviceNumber);
  slot.partitionNumber = static_cast<std::uint8_t>(drive.number.partitionNumber);
  CopyToField(slot.path, drive.path);
  CopyToField(slot.friendlyName, node.friendlyName);
  CopyToField(slot.adapterDescription, node.adapterDescription);
  CopyToField(slot.parentHardwareId, FirstText(node.parentHardwareIds));
  CopyToField(slot.grandparentHardwareId, FirstText(node.grandparentHardwareIds));
  CopyToField(slot.deviceDescription, node.deviceDescription);
  CopyToField(slot.hardwareId, FirstText(node.hardwareIds));
  CopyToField(slot.instanceSuffix, node.instanceSuffix);
  CopyToField(slot.deviceObjectName, node.deviceObjectName);
}

}  // namespace

void FillDeviceTable(DeviceTable& table, const std::vector<DriveRecord>& drives) {
  table = {};
  std::size_t next = 0;
  for (const DriveRecord& drive : drives) {
    if (next == table.size()) break;
    if (drive.node) FillSlot(table[next++], drive);
  }
}

}  // namespace holvara
