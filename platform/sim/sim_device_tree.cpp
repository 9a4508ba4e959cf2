#include "platform/sim/sim_device_tree.h"

#include <cstring>

namespace holvara::sim {
namespace {

std::optional<std::string> WithNul(const std::optional<std::string>& text) {
  return text ? std::optional<std::string>(*text + '\0') : std::nullopt;
}

}  // namespace

std::optional<std::string> PropertyBytes(const Node& node, std::uint32_t cmProperty) {
  switch (cmProperty) {
    case kCmDrpDeviceDesc:
      return WithNul(node.description);
    case kCmDrpHardwareId: {
      if (!node.hardwareIds) return std::nullopt;
      std::string bytes;
      for (const std::string& id : *node.hardwareIds) bytes += id + '\0';
      return bytes + '\0';
    }
    case kCmDrpService:
      return WithNul(node.service);
    case kCmDrpClass:
      return WithNul(node.className);
    case kCmDrpClassGuid:
      return WithNul(node.classGuid);
    case kCmDrpFriendlyName:
      return WithNul(node.friendlyName);
    case kCmDrpPhysicalDeviceObjectName:
      return WithNul(node.deviceObjectName);
    default:
      return std::nullopt;
  }
}

std::optional<std::size_t> SimDeviceTree::PresentNode(DevNode node) const {
  if (node == 0 || node > machine_.nodes.size()) return std::nullopt;
  const std::size_t index = node - 1;
  return machine_.IsPresent(index) ? std::optional<std::size_t>(index) : std::nullopt;
}

std::optional<DevNode> SimDeviceTree::FirstPresentFrom(const std::vector<std::size_t>& nodes, std::size_t from) const {
  for (std::size_t i = from; i < nodes.size(); ++i) {
    if (machine_.IsPresent(nodes[i])) return HandleOf(nodes[i]);
  }
  return std::nullopt;
}

std::optional<DevNode> SimDeviceTree::LocateRoot() {
  if (!machine_.rootLocatable || machine_.nodes.empty()) return std::nullopt;
  return HandleOf(0);
}

std::optional<DevNode> SimDeviceTree::Child(DevNode node) {
  const auto index = PresentNode(node);
  return index ? FirstPresentFrom(machine_.nodes[*index].children, 0) : std::nullopt;
}

std::optional<DevNode> SimDeviceTree::Sibling(DevNode node) {
  const auto index = PresentNode(node);
  if (!index || !machine_.nodes[*index].parent) return std::nullopt;
  const Node& n = machine_.nodes[*index];
  return FirstPresentFrom(machine_.nodes[*n.parent].children, n.indexInParent + 1);
}

std::optional<DevNode> SimDeviceTree::Parent(DevNode node) {
  const auto index = PresentNode(node);
  if (!index || !machine_.nodes[*index].parent) return std::nullopt;
  return HandleOf(*machine_.nodes[*index].parent);
}

std::uint32_t SimDeviceTree::GetRegistryProperty(DevNode node, std::uint32_t property, char* buffer,
                                                 std::uint32_t& length) {
  const auto index = PresentNode(node);
  if (!index) return kCrNoSuchDevnode;
  const auto bytes = PropertyBytes(machine_.nodes[*index], property);
  if (!bytes) {
    length = 0;
    return kCrNoSuchValue;
  }
  const auto size = static_cast<std::uint32_t>(bytes->size());
  if (buffer == nullptr || length < size) {
    length = size;
    return kCrBufferSmall;
  }
  std::memcpy(buffer, bytes->data(), size);
  length = size;
  return kCrSuccess;
}

std::uint32_t SimDeviceTree::GetDeviceId(DevNode node, char* buffer, std::uint32_t length) {
  const auto index = PresentNode(node);
  if (!index) return kCrNoSuchDevnode;
  const auto& id = machine_.nodes[*index].instanceId;
  if (!id) return kCrNoSuchValue;
  if (id->size() + 1 > length) return kCrBufferSmall;
  std::memcpy(buffer, id->c_str(), id->size() + 1);
  return kCrSuccess;
}

std::uint32_t SimDeviceTree::QueryAndRemoveSubtree(DevNode node) {
  const auto index = PresentNode(node);
  if (!index) return kCrNoSuchDevnode;
  return machine_.RemoveSubtree(*index) ? kCrSuccess : kCrRemoveVetoed;
}

std::uint32_t SimDeviceTree::Reenumerate(DevNode node) {
  if (!PresentNode(node) || !machine_.rescanWorks) return kCrFailure;
  machine_.rescanned = true;
  return kCrSuccess;
}

}  // namespace holvara::sim
