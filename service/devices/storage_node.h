// What the device search learns about one storage device below a matched node, and about one
// disk path or optical drive letter that answered the device-number query.
#pragma once

#include <string>
#include <vector>

#include "platform/ports/device_tree.h"
#include "platform/ports/storage.h"

namespace holvara {

struct StorageNode {
  DevNode node = 0;
  std::string friendlyName;
  std::string adapterDescription;
  std::string deviceDescription;
  std::vector<std::string> parentHardwareIds;
  std::vector<std::string> grandparentHardwareIds;
  std::vector<std::string> hardwareIds;
  std::string instanceSuffix;
  std::string deviceObjectName;
  StorageDeviceNumber number{};
};

struct DriveRecord {
  std::string path;
  StorageDeviceNumber number{};
  const StorageNode* node = nullptr;  // the first storage node with the same number and type
};

}  // namespace holvara
