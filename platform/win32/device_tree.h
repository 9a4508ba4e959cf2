// The device tree port over CfgMgr32.
#pragma once

#include "platform/ports/device_tree.h"

namespace holvara {

class Win32DeviceTree final : public DeviceTree {
 public:
  std::optional<DevNode> LocateRoot() override;
  std::optional<DevNode> Child(DevNode node) override;
  std::optional<DevNode> Sibling(DevNode node) override;
  std::optional<DevNode> Parent(DevNode node) override;
  std::uint32_t GetRegistryProperty(DevNode node, std::uint32_t property, char* buffer, std::uint32_t& length) override;
  std::uint32_t GetDeviceId(DevNode node, char* buffer, std::uint32_t length) override;
  std::uint32_t QueryAndRemoveSubtree(DevNode node, RemovalVeto* veto) override;
  std::uint32_t Reenumerate(DevNode node) override;
};

}  // namespace holvara
