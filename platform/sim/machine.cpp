#include "platform/sim/machine.h"

#include <cctype>

#include "common/protocol.h"

namespace holvara::sim {
namespace {

std::string InterfaceClassText(InterfaceKind kind) {
  switch (kind) {
    case InterfaceKind::kDisk:
      return "{53f56307-b6bf-11d0-94f2-00a0c91efb8b}";
    case InterfaceKind::kCdRom:
      return "{53f56308-b6bf-11d0-94f2-00a0c91efb8b}";
    case InterfaceKind::kWriteOnceDisk:
      return "{53f5630c-b6bf-11d0-94f2-00a0c91efb8b}";
  }
  return {};
}

}  // namespace

bool Machine::IsPresent(std::size_t node) const {
  for (std::optional<std::size_t> at = node; at; at = nodes[*at].parent) {
    const Node& n = nodes[*at];
    if (n.removed || (n.appearsAfterRescan && !rescanned)) return false;
  }
  return true;
}

bool Machine::IsUnitPresent(std::size_t unit) const {
  const auto& node = units[unit].node;
  return !node || IsPresent(*node);
}

bool Machine::IsVolumePresent(const Volume& volume) const {
  for (const std::size_t unit : volume.units) {
    if (!IsUnitPresent(unit)) return false;
  }
  return true;
}

const NodeVeto* Machine::RemoveSubtree(std::size_t node) {
  std::vector<std::size_t> pending{node};
  while (!pending.empty()) {
    const Node& n = nodes[pending.back()];
    pending.pop_back();
    if (n.removed) continue;
    if (n.veto) {
      for (const HoldingProgram& program : n.veto->programs) {
        eventLog.push_back({nodes[node].instanceId.value_or(""), program});
      }
      return &*n.veto;
    }
    pending.insert(pending.end(), n.children.begin(), n.children.end());
  }
  nodes[node].removed = true;
  return nullptr;
}

std::optional<std::string> Machine::DeviceOfDriveLetter(char letter) const {
  for (std::size_t v = 0; v < volumes.size(); ++v) {
    const Volume& volume = volumes[v];
    if (volume.letter != letter || !IsVolumePresent(volume)) continue;
    if (volume.driveType == kDriveCdRom && volume.units.size() == 1) {
      return "\\Device\\CdRom" + std::to_string(units[volume.units.front()].number);
    }
    return "\\Device\\HarddiskVolume" + std::to_string(v + 1);
  }
  return std::nullopt;
}

void Machine::Restore() {
  for (Node& node : nodes) node.removed = false;
  rescanned = false;
  eventLog.clear();
}

std::string Machine::InterfacePath(std::size_t unit) const {
  const StorageUnit& u = units[unit];
  std::string id = "unit" + std::to_string(unit);
  if (u.node && nodes[*u.node].instanceId) id = *nodes[*u.node].instanceId;
  for (char& c : id) c = c == '\\' ? '#' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return "\\\\?\\" + id + "#" + InterfaceClassText(u.interfaceKind);
}

std::optional<std::size_t> Machine::UnitOfInterfacePath(std::string_view path) const {
  const auto found = interfacePaths_.find(std::string(path));
  return found == interfacePaths_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

void Machine::IndexInterfacePaths() {
  interfacePaths_.clear();
  for (std::size_t u = 0; u < units.size(); ++u) {
    if (units[u].node) interfacePaths_.emplace(InterfacePath(u), u);
  }
}

}  // namespace holvara::sim
