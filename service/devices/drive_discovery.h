// Finds the disk paths and optical drive letters that answer the device-number query and links
// each to the first storage node with the same device number and type.
#pragma once

#include <vector>

#include "platform/ports/storage.h"
#include "service/devices/storage_node.h"

namespace holvara {

std::vector<DriveRecord> DiscoverDrives(Storage& storage, const std::vector<StorageNode>& nodes);

}  // namespace holvara
