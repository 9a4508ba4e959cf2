#include "service/devices/drive_discovery.h"

#include <algorithm>
#include <string>

#include "common/protocol.h"
#include "service/devices/drive_letters.h"

namespace holvara {
namespace {

constexpr int kDiskNumbersProbed = 26;

const StorageNode* FirstNodeWithNumber(const std::vector<StorageNode>& nodes, const StorageDeviceNumber& number) {
  const auto found = std::find_if(nodes.begin(), nodes.end(), [&](const StorageNode& node) {
    return node.number.deviceNumber == number.deviceNumber && node.number.deviceType == number.deviceType;
  });
  return found == nodes.end() ? nullptr : &*found;
}

void AppendIfAnswering(Storage& storage, const std::vector<StorageNode>& nodes, std::string path,
                       std::vector<DriveRecord>& drives) {
  const auto device = storage.Open(path, kAccessNone, kShareRead | kShareWrite);
  if (!device) return;
  const auto number = device->GetDeviceNumber();
  if (!number) return;
  drives.push_back(DriveRecord{std::move(path), *number, FirstNodeWithNumber(nodes, *number)});
}

bool AnyOpticalDrive(const std::vector<StorageNode>& nodes) {
  return std::any_of(nodes.begin(), nodes.end(),
                     [](const StorageNode& node) { return node.deviceDescription.starts_with("CD-ROM"); });
}

}  // namespace

std::vector<DriveRecord> DiscoverDrives(Storage& storage, const std::vector<StorageNode>& nodes) {
  std::vector<DriveRecord> drives;
  for (int disk = 0; disk < kDiskNumbersProbed; ++disk)
    AppendIfAnswering(storage, nodes, PhysicalDrivePath(disk), drives);
  if (!AnyOpticalDrive(nodes)) return drives;
  ForEachPresentLetter(storage, [&](char letter) {
    if (storage.GetDriveType(DriveRoot(letter)) == kDriveCdRom)
      AppendIfAnswering(storage, nodes, VolumePath(letter), drives);
  });
  return drives;
}

}  // namespace holvara
