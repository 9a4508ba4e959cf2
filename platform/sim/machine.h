// A simulated PC's devices: the Plug and Play tree, the disks and optical drives on its nodes,
// the volumes with their letters, and the faults each of them shows. The simulated device
// adapters derive every answer from it; removals and rescans change it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/ports/device_interfaces.h"
#include "platform/ports/storage.h"

namespace holvara::sim {

enum class InterfaceKind { kDisk, kCdRom, kWriteOnceDisk };
enum class PartitionStyle { kMbr, kGpt, kRaw };
// kHeldForReading: another program (a disk monitor, a backup tool) has the disk open for reading
// and sharing reading and writing; an open that does not share reading fails.
enum class LayoutAccess { kOpens, kHeldExclusively, kHeldForReading, kDenied };

struct DiskLayout {
  PartitionStyle style = PartitionStyle::kMbr;
  std::uint8_t firstMbrType = 0x07;
  Guid firstGptType{};
  bool classicQueryWorks = true;
  bool readable = true;
};

// A disk or optical drive; `node` is the index of the device node that carries it, or none for
// a disk path that opens without a node.
struct StorageUnit {
  bool optical = false;
  std::uint32_t number = 0;
  InterfaceKind interfaceKind = InterfaceKind::kDisk;
  std::optional<std::size_t> node;
  bool interfaceOpens = true;
  bool pathOpens = true;
  bool numberQueryWorks = true;
  LayoutAccess layoutAccess = LayoutAccess::kOpens;
  DiskLayout layout;
};

struct Volume {
  char letter = 'C';
  std::uint32_t driveType = 3;
  std::vector<std::size_t> units;  // indexes into Machine::units; several for a spanned volume
  std::uint32_t partitionNumber = 1;
  bool numberQueryWorks = true;
};

// A program that has the device (or a volume on it) open, as the kernel names it in its event.
struct HoldingProgram {
  std::uint32_t processId = 0;
  std::string image;  // \Device\HarddiskVolumeN\...
};

// Why a node refuses its removal: Plug and Play's veto type and component name, and the programs
// that the event log names when the removal is refused.
struct NodeVeto {
  std::uint32_t type = 0;
  std::string component;
  std::vector<HoldingProgram> programs;
};

// Kernel-PnP's event for one program that stopped a removal.
struct LoggedRemovalVeto {
  std::string deviceInstanceId;
  HoldingProgram program;
};

struct Node {
  std::optional<std::string> instanceId;
  std::optional<std::vector<std::string>> hardwareIds;
  std::optional<std::string> description;
  std::optional<std::string> friendlyName;
  std::optional<std::string> className;
  std::optional<std::string> classGuid;
  std::optional<std::string> service;
  std::optional<std::string> deviceObjectName;
  std::optional<NodeVeto> veto;  // the node refuses its removal
  bool appearsAfterRescan = false;
  std::optional<std::uint32_t> hardwareIdReadError;  // every SetupAPI hardware-ID read fails so
  std::optional<std::size_t> unit;

  std::optional<std::size_t> parent;
  std::vector<std::size_t> children;
  std::size_t indexInParent = 0;
  bool removed = false;
};

struct WmiBehaviour {
  std::int32_t comResult = 0;
  std::int32_t securityResult = 0;
  bool connects = true;
  bool queryWorks = true;
};

struct Machine {
  std::vector<Node> nodes;  // nodes[0] is the root; the rest in pre-order
  std::vector<StorageUnit> units;
  std::vector<Volume> volumes;
  WmiBehaviour wmi;
  bool rootLocatable = true;
  bool rescanWorks = true;
  bool rescanned = false;
  bool eventLogReadable = true;
  std::vector<LoggedRemovalVeto> eventLog;  // oldest first

  bool IsPresent(std::size_t node) const;
  bool IsUnitPresent(std::size_t unit) const;
  bool IsVolumePresent(const Volume& volume) const;
  // Removes the node's subtree unless a node in it vetoes; that node's veto, or null when removed.
  // A veto logs one event per holding program, naming the node whose removal was asked for.
  const NodeVeto* RemoveSubtree(std::size_t node);
  // The device name QueryDosDevice gives for a present volume's letter: \Device\CdRomN for an
  // optical drive, else \Device\HarddiskVolumeK with K the volume's place in the file from 1.
  std::optional<std::string> DeviceOfDriveLetter(char letter) const;
  // Undoes every change the device adapters make (removals, a rescan, logged events): the machine
  // as loaded.
  void Restore();
  // The device path of a node's storage interface.
  std::string InterfacePath(std::size_t unit) const;
  // The unit whose interface has this path; the index is built once, after loading.
  std::optional<std::size_t> UnitOfInterfacePath(std::string_view path) const;
  void IndexInterfacePaths();

 private:
  std::unordered_map<std::string, std::size_t> interfacePaths_;
};

}  // namespace holvara::sim
