// holvara-deviceprobe: shows what the Win32 device adapters see of the system, so that tests
// under Wine can check each adapter against what Wine is known to provide. Tests only.
//
// Usage and output (key=value lines on stdout):
//   tree             the device tree from its root    -> root=0|1 nodes=N, then per node:
//                                                        node id=".." hwid=".." class=".."
//   drives           GetLogicalDrives and per letter   -> mask=HEX, then per letter:
//                                                        drive letter=L type=T opened=0|1
//                                                        number=D|- devicetype=T|-
//   interfaces       the disk and CD-ROM interface sets -> set class=disk|cdrom made=0|1
//                                                        interfaces=N, then per interface:
//                                                        interface path=".." owner=N
//   wmi LETTER       the device work's WMI lookup     -> disk=N (-1 when WMI knows none)
//   partitions       the WMI partition query           -> query=0|1 partitions=N, then per one:
//                                                        partition id=".."
//   object PATH      WMI GetObject of the path         -> exists=0|1
//   layout DISK      both drive layout queries         -> opened=0|1 classic=0|1 bytes=N
//                                                        extended=0|1 bytes=N
// Exit code: 0 when the probe ran, 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/device_interfaces.h"
#include "platform/win32/device_storage.h"
#include "platform/win32/device_tree.h"
#include "platform/win32/device_wmi.h"
#include "platform/win32/win32_debug_output.h"
#include "platform/win32/win32_event_log.h"
#include "platform/win32/win32_volume_names.h"
#include "service/devices/device_list.h"

namespace holvara {
namespace {

std::string Property(DeviceTree& tree, DevNode node, std::uint32_t property) {
  std::uint32_t length = 0;
  tree.GetRegistryProperty(node, property, nullptr, length);
  if (length == 0) return {};
  std::vector<char> buffer(length + 2, '\0');
  length = static_cast<std::uint32_t>(buffer.size());
  if (tree.GetRegistryProperty(node, property, buffer.data(), length) != kCrSuccess) return {};
  return buffer.data();
}

std::string DeviceId(DeviceTree& tree, DevNode node) {
  char id[kDeviceIdBufferSize] = {};
  if (tree.GetDeviceId(node, id, sizeof id) != kCrSuccess) return {};
  return id;
}

// Pre-order walk: child, else sibling, else the nearest ancestor's sibling.
std::optional<DevNode> Next(DeviceTree& tree, DevNode node) {
  if (const auto child = tree.Child(node)) return child;
  for (std::optional<DevNode> at = node; at; at = tree.Parent(*at)) {
    if (const auto sibling = tree.Sibling(*at)) return sibling;
  }
  return std::nullopt;
}

int Tree() {
  Win32DeviceTree tree;
  const auto root = tree.LocateRoot();
  std::vector<DevNode> nodes;
  for (auto node = root; node && nodes.size() < 10000; node = Next(tree, *node)) nodes.push_back(*node);
  std::printf("root=%d nodes=%zu\n", root ? 1 : 0, nodes.size());
  for (const DevNode node : nodes) {
    std::printf("node id=\"%s\" hwid=\"%s\" class=\"%s\"\n", DeviceId(tree, node).c_str(),
                Property(tree, node, kCmDrpHardwareId).c_str(), Property(tree, node, kCmDrpClass).c_str());
  }
  return 0;
}

int Drives() {
  Win32Storage storage;
  const std::uint32_t mask = storage.GetLogicalDrives();
  std::printf("mask=%x\n", mask);
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (!(mask & (1u << (letter - 'A')))) continue;
    const std::string root{letter, ':'};
    const auto volume = storage.Open("\\\\.\\" + root, kAccessNone, kShareRead | kShareWrite);
    const auto number = volume ? volume->GetDeviceNumber() : std::nullopt;
    std::printf("drive letter=%c type=%u opened=%d number=%s devicetype=%s\n", letter, storage.GetDriveType(root),
                volume ? 1 : 0, number ? std::to_string(number->deviceNumber).c_str() : "-",
                number ? std::to_string(number->deviceType).c_str() : "-");
  }
  return 0;
}

void InterfaceSet(DeviceInterfaces& interfaces, const char* name, const Guid& interfaceClass) {
  const auto set = interfaces.ClassDevsOfInterface(interfaceClass);
  std::vector<InterfaceDetail> details;
  if (set) {
    for (std::uint32_t index = 0; set->EnumInterface(index) == kErrorSuccess; ++index) {
      if (auto detail = set->GetInterfaceDetail(index)) details.push_back(*detail);
    }
  }
  std::printf("set class=%s made=%d interfaces=%zu\n", name, set ? 1 : 0, details.size());
  for (const auto& detail : details) {
    std::printf("interface path=\"%s\" owner=%u\n", detail.devicePath.c_str(), detail.owner);
  }
}

int Interfaces() {
  Win32DeviceInterfaces interfaces;
  InterfaceSet(interfaces, "disk", kGuidDevInterfaceDisk);
  InterfaceSet(interfaces, "cdrom", kGuidDevInterfaceCdRom);
  return 0;
}

int WmiLookup(char letter) {
  Win32DeviceTree tree;
  Win32DeviceInterfaces interfaces;
  Win32Storage storage;
  Win32Wmi wmi;
  Win32DebugOutput debug;
  Win32EventLog eventLog;
  Win32VolumeNames volumeNames;
  DeviceList list(DevicePorts{tree, interfaces, storage, wmi, debug, eventLog, volumeNames});
  std::printf("disk=%d\n", list.GetDiskNumberOfLetter(letter));
  return 0;
}

int Partitions() {
  Win32Wmi wmi;
  const std::int32_t com = wmi.InitializeCom();
  std::optional<std::vector<std::string>> ids;
  if (com >= 0) {
    wmi.InitializeSecurity();
    if (const auto services = wmi.ConnectCimv2()) ids = services->QueryPartitionDeviceIds();
    wmi.UninitializeCom();
  }
  std::printf("query=%d partitions=%zu\n", ids ? 1 : 0, ids ? ids->size() : 0);
  for (const auto& id : ids.value_or(std::vector<std::string>{})) std::printf("partition id=\"%s\"\n", id.c_str());
  return 0;
}

int Object(const char* path) {
  Win32Wmi wmi;
  bool exists = false;
  if (wmi.InitializeCom() >= 0) {
    wmi.InitializeSecurity();
    if (const auto services = wmi.ConnectCimv2()) exists = services->ObjectExists(path);
    wmi.UninitializeCom();
  }
  std::printf("exists=%d\n", exists ? 1 : 0);
  return 0;
}

int Layout(int disk) {
  Win32Storage storage;
  const auto handle = storage.Open("\\\\.\\PhysicalDrive" + std::to_string(disk), kGenericRead | kGenericWrite,
                                   kShareRead | kShareWrite);
  std::vector<std::byte> buffer(10240);
  std::uint32_t classicBytes = 0;
  std::uint32_t extendedBytes = 0;
  const bool classic = handle && handle->GetDriveLayout(buffer, classicBytes);
  const bool extended = handle && handle->GetDriveLayoutEx(buffer, extendedBytes);
  std::printf("opened=%d classic=%d bytes=%u extended=%d bytes=%u\n", handle ? 1 : 0, classic ? 1 : 0, classicBytes,
              extended ? 1 : 0, extendedBytes);
  return 0;
}

int Run(int argc, char** argv) {
  const std::string_view verb = argc > 1 ? argv[1] : "";
  if (verb == "tree" && argc == 2) return Tree();
  if (verb == "drives" && argc == 2) return Drives();
  if (verb == "interfaces" && argc == 2) return Interfaces();
  if (verb == "partitions" && argc == 2) return Partitions();
  if (verb == "wmi" && argc == 3 && argv[2][0] != '\0') return WmiLookup(argv[2][0]);
  if (verb == "object" && argc == 3) return Object(argv[2]);
  if (verb == "layout" && argc == 3) return Layout(std::atoi(argv[2]));
  std::fputs(
      "usage: holvara-deviceprobe tree | drives | interfaces | partitions | wmi LETTER | object PATH |\n"
      "       layout DISK\n",
      stderr);
  return 2;
}

}  // namespace
}  // namespace holvara

int main(int argc, char** argv) { return holvara::Run(argc, argv); }
