#include "platform/sim/sim_device_tree.h"

#include <cstring>

namespace holvara::sim {
namespace {

const std::optional<std::string>* TextProperty(const Node& node, std::uint32_t cmProperty) {
  switch (cmProperty) {
    case kCmDrpDeviceDesc:
      return &node.description;
    case kCmDrpService:
      return &node.service;
    case kCmDrpClass:
      return &node.className;
    case kCmDrpClassGuid:
      return &node.classGuid;
    case kCmDrpFriendlyName:
      return &node.friendlyName;
    case kCmDrpPhysicalDeviceObjectName:
      return &node.deviceObjectName;
    default:
      return nullptr;
  }
}

// Writes the text and its NUL at `at`; the bytes it took.
std::size_t PutText(const std::string& text, char* at) {
  std::memcpy(at, text.c_str(), text.size() + 1);
  return text.size() + 1;
}

}  // namespace

std::optional<std::size_t> PropertyBytes(const Node& node, std::uint32_t cmProperty, std::span<char> buffer) {
  if (cmProperty == kCmDrpHardwareId) {
    if (!node.hardwareIds) return std::nullopt;
    std::size_t size = 1;
    for (const std::string& id : *node.hardwareIds) size += id.size() + 1;
    if (size > buffer.size()) return size;
    char* at = buffer.data();
    for (const std::string& id : *node.hardwareIds) at += PutText(id, at);
    *at = '\0';
    return size;
  }
  const auto* text = TextProperty(node, cmProperty);
  if (text == nullptr || !*text) return std::nullopt;
  const std::size_t size = (*text)->size() + 1;
  if (size <= buffer.size()) PutText(**text, buffer.data());
  return size;
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
  const std::span<char> room = buffer == nullptr ? std::span<char>() : std::span<char>(buffer, length);
  const auto size = PropertyBytes(machine_.nodes[*index], property, room);
  if (!size) {
    length = 0;
    return kCrNoSuchValue;
  }
  length = static_cast<std::uint32_t>(*size);
  return *size <= room.size() ? kCrSuccess : kCrBufferSmall;
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

std::uint32_t SimDeviceTree::QueryAndRemoveSubtree(DevNode node, RemovalVeto* veto) {
  const auto index = PresentNode(node);
  if (!index) return kCrNoSuchDevnode;
  const NodeVeto* refused = machine_.RemoveSubtree(*index);
  if (!refused) return kCrSuccess;
  if (veto) {
    veto->type = refused->type;
    veto->name = refused->component.substr(0, kVetoNameBufferSize - 1);
  }
  return kCrRemoveVetoed;
}

std::uint32_t SimDeviceTree::Reenumerate(DevNode node) {
  if (!PresentNode(node) || !machine_.rescanWorks) return kCrFailure;
  machine_.rescanned = true;
  return kCrSuccess;
}

}  // namespace holvara::sim
