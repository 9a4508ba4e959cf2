// The Plug and Play device tree as the Configuration Manager shows it (CfgMgr32): navigation,
// registry properties of a device node, its instance ID, subtree removal and re-enumeration.
// Each operation is one CM_* call; results are the CONFIGRET codes it returns.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace holvara {

// A device instance handle (DEVINST).
using DevNode = std::uint32_t;

// CONFIGRET values the logic tells apart.
inline constexpr std::uint32_t kCrSuccess = 0x00;
inline constexpr std::uint32_t kCrNoSuchDevnode = 0x0D;
inline constexpr std::uint32_t kCrBufferSmall = 0x1A;
inline constexpr std::uint32_t kCrRemoveVetoed = 0x17;
inline constexpr std::uint32_t kCrNoSuchValue = 0x25;
inline constexpr std::uint32_t kCrFailure = 0x13;

// Registry properties of a device node (CM_DRP_*).
inline constexpr std::uint32_t kCmDrpDeviceDesc = 1;
inline constexpr std::uint32_t kCmDrpHardwareId = 2;
inline constexpr std::uint32_t kCmDrpService = 5;
inline constexpr std::uint32_t kCmDrpClass = 8;
inline constexpr std::uint32_t kCmDrpClassGuid = 9;
inline constexpr std::uint32_t kCmDrpFriendlyName = 13;
inline constexpr std::uint32_t kCmDrpPhysicalDeviceObjectName = 15;

// Buffer size for CM_Get_Device_IDA (MAX_DEVICE_ID_LEN + 1 would do; the callers use MAX_PATH).
inline constexpr std::uint32_t kDeviceIdBufferSize = 260;

// What Plug and Play says of a refused removal: its PNP_VETO_TYPE and the vetoing component's name.
struct RemovalVeto {
  std::uint32_t type = 0;
  std::string name;
};

// The size of the veto-name buffer the removal offers (MAX_PATH).
inline constexpr std::uint32_t kVetoNameBufferSize = 260;

class DeviceTree {
 public:
  virtual ~DeviceTree() = default;

  // CM_Locate_DevNodeA with a null ID and normal flags: the root, or nullopt on failure.
  virtual std::optional<DevNode> LocateRoot() = 0;
  // CM_Get_Child, CM_Get_Sibling, CM_Get_Parent with flags 0: nullopt for any failure.
  virtual std::optional<DevNode> Child(DevNode node) = 0;
  virtual std::optional<DevNode> Sibling(DevNode node) = 0;
  virtual std::optional<DevNode> Parent(DevNode node) = 0;

  // CM_Get_DevNode_Registry_PropertyA. `length` holds the buffer's size on entry (0 with a null
  // buffer) and the property's size on return; a buffer that is too small gives kCrBufferSmall.
  virtual std::uint32_t GetRegistryProperty(DevNode node, std::uint32_t property, char* buffer,
                                            std::uint32_t& length) = 0;
  // CM_Get_Device_IDA into a buffer of `length` bytes, NUL-terminated on success.
  virtual std::uint32_t GetDeviceId(DevNode node, char* buffer, std::uint32_t length) = 0;

  // CM_Query_And_Remove_SubTreeA with flags 0 (CM_REMOVE_UI_OK). With a null veto it passes no
  // veto outputs; otherwise a veto-type output and a kVetoNameBufferSize name buffer, which land
  // in *veto (type 0 and an empty name when Plug and Play filled in nothing).
  virtual std::uint32_t QueryAndRemoveSubtree(DevNode node, RemovalVeto* veto) = 0;
  // CM_Reenumerate_DevNode with flags 0 (CM_REENUMERATE_NORMAL); returns without waiting.
  virtual std::uint32_t Reenumerate(DevNode node) = 0;
};

}  // namespace holvara
