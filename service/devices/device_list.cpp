#include "service/devices/device_list.h"

#include <algorithm>

#include "common/text_field.h"
#include "service/devices/drive_discovery.h"
#include "service/devices/drive_letters.h"
#include "service/devices/interface_probe.h"
#include "service/devices/search_list.h"
#include "service/devices/tree_search.h"

namespace holvara {
namespace {

// Only fixed drives are matched to disks and only CD-ROM drives to optical drives.
bool DriveTypeFits(std::uint8_t deviceType, std::uint32_t driveType) {
  return (deviceType == kFileDeviceCdRom && driveType == kDriveCdRom) ||
         (deviceType == kFileDeviceDisk && driveType == kDriveFixed);
}

}  // namespace

void DeviceList::InitDeviceList(std::uint32_t searchCode) {
  table_ = {};
  const auto ideControllers =
      searchCode & SEARCH_IDE_CONTROLLERS ? BuildIdeControllerList(ports_.tree) : std::vector<std::string>();
  const auto searchList = BuildSearchList(searchCode, ideControllers);
  ports_.debug.Write("InitDeviceList szSearchDeviceStrings=");
  ports_.debug.Write(searchList.empty() ? std::string() : searchList.front());

  InterfaceProbe probe(ports_.interfaces, ports_.storage);
  const auto nodes = TreeSearch(ports_.tree, probe, ports_.debug).Run(searchList);
  const auto drives = nodes.empty() ? std::vector<DriveRecord>() : DiscoverDrives(ports_.storage, nodes);
  FillDeviceTable(table_, drives);
  lastInterfaceSetBuilds_ = probe.setBuilds();
}

std::uint32_t DeviceList::OccupiedSlots() const {
  return static_cast<std::uint32_t>(
      std::count_if(table_.begin(), table_.end(), [](const DeviceSlot& slot) { return slot.present == 1; }));
}

DeviceRecord DeviceList::Record(std::uint8_t index) {
  DeviceRecord record{};
  if (index >= table_.size()) return record;
  const DeviceSlot& slot = table_[index];
  if (slot.present == 1) {
    record.present = 1;
    record.deviceNumber = slot.deviceNumber;
    CopyToField(record.friendlyName, ReadField(slot.friendlyName));
    CopyToField(record.hardwareId, ReadField(slot.hardwareId));
    CopyToField(record.devicePath, ReadField(slot.path));
    CopyToField(record.instanceSuffix, ReadField(slot.instanceSuffix));
    CopyToField(record.adapterDescription, ReadField(slot.adapterDescription));
    CopyToField(record.parentHardwareId, ReadField(slot.parentHardwareId));
    CopyToField(record.grandparentHardwareId, ReadField(slot.grandparentHardwareId));
    CopyToField(record.deviceDescription, ReadField(slot.deviceDescription));
    CopyToField(record.deviceObjectName, ReadField(slot.deviceObjectName));
  }
  FindDriveLetters(slot.deviceNumber, slot.deviceType, record.driveLetters, record.driveType);
  return record;
}

void DeviceList::FindDriveLetters(std::uint8_t deviceNumber, std::uint8_t deviceType, char (&letters)[26],
                                  std::uint8_t& driveType) {
  std::string found;
  std::uint8_t foundType = 0;
  ForEachPresentLetter(ports_.storage, [&](char letter) {
    const std::uint32_t type = ports_.storage.GetDriveType(DriveRoot(letter));
    if (!DriveTypeFits(deviceType, type)) return;
    const auto volume = ports_.storage.Open(VolumePath(letter), kAccessNone, kShareRead | kShareWrite);
    if (!volume) return;
    const auto answer = volume->GetDeviceNumber();
    const long long number = answer ? static_cast<long long>(answer->deviceNumber) : GetDiskNumberOfLetter(letter);
    if (number != -1 && number == deviceNumber) {
      found += letter;
      foundType = static_cast<std::uint8_t>(type);
    }
  });
  CopyToField(letters, found);
  driveType = found.empty() ? 0 : foundType;
}

std::uint32_t DeviceList::SetRescanDevice() {
  ports_.debug.Write("SetRescanDevice\n\n");
  const auto root = ports_.tree.LocateRoot();
  if (!root) return 0;
  return ports_.tree.Reenumerate(*root) == kCrSuccess ? 1 : 0;
}

}  // namespace holvara
