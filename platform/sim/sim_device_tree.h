// The Configuration Manager of a simulated machine.
#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "platform/ports/device_tree.h"
#include "platform/sim/machine.h"

namespace holvara::sim {

// Device instance handles are node indexes plus one, so that 0 is never a node.
inline DevNode HandleOf(std::size_t node) { return static_cast<DevNode>(node + 1); }

class SimDeviceTree : public DeviceTree {
 public:
  explicit SimDeviceTree(Machine& machine) : machine_(machine) {}

  std::optional<DevNode> LocateRoot() override;
  std::optional<DevNode> Child(DevNode node) override;
  std::optional<DevNode> Sibling(DevNode node) override;
  std::optional<DevNode> Parent(DevNode node) override;
  std::uint32_t GetRegistryProperty(DevNode node, std::uint32_t property, char* buffer, std::uint32_t& length) override;
  std::uint32_t GetDeviceId(DevNode node, char* buffer, std::uint32_t length) override;
  std::uint32_t QueryAndRemoveSubtree(DevNode node, RemovalVeto* veto) override;
  std::uint32_t Reenumerate(DevNode node) override;

 private:
  // The node's index when the handle names a present node.
  std::optional<std::size_t> PresentNode(DevNode node) const;
  std::optional<DevNode> FirstPresentFrom(const std::vector<std::size_t>& nodes, std::size_t from) const;

  Machine& machine_;
};

// The bytes of a registry property as the system stores it: a text with its NUL, or a
// multi-string with the NUL of each text and a final NUL. They are written to `buffer` only when
// they fit; the count of bytes either way, nullopt when the node lacks the property. Written in
// place, without a copy: the device search reads every node's properties twice over.
std::optional<std::size_t> PropertyBytes(const Node& node, std::uint32_t cmProperty, std::span<char> buffer);

}  // namespace holvara::sim
