#include "platform/win32/device_tree.h"

#include <windows.h>
#include <cfgmgr32.h>

namespace holvara {

namespace {

std::optional<DevNode> Found(CONFIGRET result, DEVINST node) {
  if (result != CR_SUCCESS) return std::nullopt;
  return static_cast<DevNode>(node);
}

}  // namespace

std::optional<DevNode> Win32DeviceTree::LocateRoot() {
  DEVINST root = 0;
  return Found(CM_Locate_DevNodeA(&root, nullptr, CM_LOCATE_DEVNODE_NORMAL), root);
}

std::optional<DevNode> Win32DeviceTree::Child(DevNode node) {
  DEVINST child = 0;
  return Found(CM_Get_Child(&child, node, 0), child);
}

std::optional<DevNode> Win32DeviceTree::Sibling(DevNode node) {
  DEVINST sibling = 0;
  return Found(CM_Get_Sibling(&sibling, node, 0), sibling);
}

std::optional<DevNode> Win32DeviceTree::Parent(DevNode node) {
  DEVINST parent = 0;
  return Found(CM_Get_Parent(&parent, node, 0), parent);
}

std::uint32_t Win32DeviceTree::GetRegistryProperty(DevNode node, std::uint32_t property, char* buffer,
                                                   std::uint32_t& length) {
  ULONG size = length;
  const CONFIGRET result = CM_Get_DevNode_Registry_PropertyA(node, property, nullptr, buffer, &size, 0);
  length = size;
  return result;
}

std::uint32_t Win32DeviceTree::GetDeviceId(DevNode node, char* buffer, std::uint32_t length) {
  return CM_Get_Device_IDA(node, buffer, length, 0);
}

std::uint32_t Win32DeviceTree::QueryAndRemoveSubtree(DevNode node, RemovalVeto* veto) {
  if (veto == nullptr) return CM_Query_And_Remove_SubTreeA(node, nullptr, nullptr, 0, CM_REMOVE_UI_OK);
  PNP_VETO_TYPE type = PNP_VetoTypeUnknown;
  char name[kVetoNameBufferSize] = {};
  const CONFIGRET result = CM_Query_And_Remove_SubTreeA(node, &type, name, kVetoNameBufferSize, CM_REMOVE_UI_OK);
  name[kVetoNameBufferSize - 1] = '\0';
  veto->type = static_cast<std::uint32_t>(type);
  veto->name = name;
  return result;
}

std::uint32_t Win32DeviceTree::Reenumerate(DevNode node) { return CM_Reenumerate_DevNode(node, CM_REENUMERATE_NORMAL); }

}  // namespace holvara
