#include "service/devices/tree_search.h"

#include "service/devices/multi_string.h"
#include "service/devices/node_properties.h"
#include "service/devices/supported_hardware.h"
#include "service/devices/text_match.h"
#include "service/devices/tree_walk.h"
#include "service/devices/unique_id.h"

namespace holvara {
namespace {

// The child scan reads a storage device's hardware IDs into a fixed buffer; a longer list reads as none.
constexpr std::uint32_t kChildHardwareIdBufferSize = 260;

// A list that starts with the IEEE 1394 pattern asks for the vendor's 1394 devices only.
bool StartsWithAll1394(const std::vector<std::string>& searchList) {
  return !searchList.empty() && searchList.front() == "1394\\*";
}

}  // namespace

std::vector<StorageNode> TreeSearch::Run(const std::vector<std::string>& searchList) {
  std::vector<StorageNode> found;
  // No node can match an empty list (search code 0, the probe's empty request): the walk would
  // only read every node's texts for nothing.
  if (searchList.empty()) return found;
  WalkDeviceTree(tree_, [&](DevNode node) {
    const auto hardwareIds = ReadNodeTexts(tree_, node, kCmDrpHardwareId);
    if (hardwareIds.empty()) return;
    const std::string description = ReadNodeText(tree_, node, kCmDrpDeviceDesc);
    for (const std::string& pattern : searchList) {
      for (const std::string& hardwareId : hardwareIds) {
        if (PatternMatches(pattern, hardwareId) && Sub_CheckChildDevNode(node, description, searchList, found)) break;
      }
    }
  });
  return found;
}

bool TreeSearch::Sub_CheckChildDevNode(DevNode matched, const std::string& matchedDescription,
                                       const std::vector<std::string>& searchList, std::vector<StorageNode>& found) {
  debug_.Write("Sub_CheckChildDevNode=>");
  const std::size_t before = found.size();
  for (auto node = tree_.Child(matched); node;) {
    const auto hardwareIds = ReadNodeTextsInto(tree_, *node, kCmDrpHardwareId, kChildHardwareIdBufferSize);
    std::string suffix = InstanceSuffix(ReadDeviceId(tree_, *node));
    const auto number = probe_.Probe(*node);
    if (!number) {
      if (FirstText(hardwareIds) == "1b4b-9123") {
        debug_.Write("strHardwareId=");
        debug_.Write(hardwareIds.front());
      }
    } else if (!StartsWithAll1394(searchList) || PassesUniqueIdTest(suffix, supported_hardware::kVendorOui)) {
      found.push_back(Describe(*node, matchedDescription, std::move(suffix), *number));
    }
    auto next = tree_.Sibling(*node);
    node = next ? next : tree_.Child(*node);
  }
  return found.size() > before;
}

StorageNode TreeSearch::Describe(DevNode node, const std::string& adapterDescription, std::string instanceSuffix,
                                 const StorageDeviceNumber& number) {
  StorageNode storage;
  storage.node = node;
  storage.number = number;
  storage.adapterDescription = adapterDescription;
  storage.instanceSuffix = std::move(instanceSuffix);
  storage.deviceDescription = ReadNodeText(tree_, node, kCmDrpDeviceDesc);
  storage.deviceObjectName = ReadNodeText(tree_, node, kCmDrpPhysicalDeviceObjectName);
  storage.hardwareIds = ReadNodeTexts(tree_, node, kCmDrpHardwareId);
  const auto parent = tree_.Parent(node);
  storage.parentHardwareIds = HardwareIdsOf(parent);
  storage.grandparentHardwareIds = HardwareIdsOf(parent ? tree_.Parent(*parent) : std::nullopt);
  storage.friendlyName = ReadNodeText(tree_, node, kCmDrpFriendlyName);
  return storage;
}

std::vector<std::string> TreeSearch::HardwareIdsOf(std::optional<DevNode> node) {
  return node ? ReadNodeTexts(tree_, *node, kCmDrpHardwareId) : std::vector<std::string>();
}

}  // namespace holvara
