// Finds the storage devices below the nodes whose hardware IDs match the search list.
#pragma once

#include <string>
#include <vector>

#include "platform/ports/debug_output.h"
#include "platform/ports/device_tree.h"
#include "service/devices/interface_probe.h"
#include "service/devices/storage_node.h"

namespace holvara {

class TreeSearch {
 public:
  TreeSearch(DeviceTree& tree, InterfaceProbe& probe, DebugOutput& debug) : tree_(tree), probe_(probe), debug_(debug) {}

  // Every storage node found, in the order found; a device below several matched nodes (or
  // matched by several texts) appears once for each.
  std::vector<StorageNode> Run(const std::vector<std::string>& searchList);

 private:
  // Scans the children of the matched node, then the children of its last child, and so on down
  // the line of last children; returns whether it appended anything.
  bool Sub_CheckChildDevNode(DevNode matched, const std::string& matchedDescription,
                             const std::vector<std::string>& searchList, std::vector<StorageNode>& found);
  StorageNode Describe(DevNode node, const std::string& adapterDescription, std::string instanceSuffix,
                       const StorageDeviceNumber& number);
  std::vector<std::string> HardwareIdsOf(std::optional<DevNode> node);

  DeviceTree& tree_;
  InterfaceProbe& probe_;
  DebugOutput& debug_;
};

}  // namespace holvara
