#include "platform/sim/sim_device_interfaces.h"

#include <cctype>
#include <cstring>

#include "platform/sim/sim_device_tree.h"

namespace holvara::sim {
namespace {

std::optional<InterfaceKind> KindOf(const Guid& interfaceClass) {
  if (interfaceClass == kGuidDevInterfaceDisk) return InterfaceKind::kDisk;
  if (interfaceClass == kGuidDevInterfaceCdRom) return InterfaceKind::kCdRom;
  if (interfaceClass == kGuidDevInterfaceWriteOnceDisk) return InterfaceKind::kWriteOnceDisk;
  return std::nullopt;
}

// "SCSI" enumerates the devices whose instance IDs begin with "SCSI\".
bool EnumeratedBy(const Node& node, std::string_view enumerator) {
  if (!node.instanceId || node.instanceId->size() <= enumerator.size() ||
      (*node.instanceId)[enumerator.size()] != '\\') {
    return false;
  }
  for (std::size_t i = 0; i < enumerator.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>((*node.instanceId)[i])) !=
        std::toupper(static_cast<unsigned char>(enumerator[i]))) {
      return false;
    }
  }
  return true;
}

std::uint32_t SetupPropertyToCm(std::uint32_t property) {
  switch (property) {
    case kSpdrpHardwareId:
      return kCmDrpHardwareId;
    case kSpdrpPhysicalDeviceObjectName:
      return kCmDrpPhysicalDeviceObjectName;
    default:
      return 0;
  }
}

class SimDeviceInfoSet : public DeviceInfoSet {
 public:
  SimDeviceInfoSet(Machine& machine, std::vector<std::size_t> nodes, std::size_t& openSets)
      : machine_(machine), nodes_(std::move(nodes)), openSets_(openSets) {
    ++openSets_;
  }
  ~SimDeviceInfoSet() override { --openSets_; }

  std::uint32_t EnumInterface(std::uint32_t index) override {
    return index < nodes_.size() && machine_.nodes[nodes_[index]].unit ? kErrorSuccess : kErrorNoMoreItems;
  }

  std::optional<InterfaceDetail> GetInterfaceDetail(std::uint32_t index) override {
    if (EnumInterface(index) != kErrorSuccess) return std::nullopt;
    const std::size_t node = nodes_[index];
    return InterfaceDetail{machine_.InterfacePath(*machine_.nodes[node].unit), HandleOf(node)};
  }

  std::optional<DevNode> EnumDeviceInfo(std::uint32_t index) override {
    return index < nodes_.size() ? std::optional<DevNode>(HandleOf(nodes_[index])) : std::nullopt;
  }

  std::uint32_t GetDeviceRegistryProperty(std::uint32_t index, std::uint32_t property, char* buffer, std::uint32_t size,
                                          std::uint32_t& requiredSize) override {
    if (index >= nodes_.size()) return kErrorNoMoreItems;
    const Node& node = machine_.nodes[nodes_[index]];
    if (property == kSpdrpHardwareId && node.hardwareIdReadError) return *node.hardwareIdReadError;
    const std::span<char> room = buffer == nullptr ? std::span<char>() : std::span<char>(buffer, size);
    const auto bytes = PropertyBytes(node, SetupPropertyToCm(property), room);
    if (!bytes) {
      requiredSize = 0;
      return kErrorInvalidData;
    }
    requiredSize = static_cast<std::uint32_t>(*bytes);
    if (*bytes > room.size()) return kErrorInsufficientBuffer;
    return kErrorSuccess;
  }

 private:
  Machine& machine_;
  std::vector<std::size_t> nodes_;
  std::size_t& openSets_;
};

}  // namespace

std::unique_ptr<DeviceInfoSet> SimDeviceInterfaces::ClassDevsOfInterface(const Guid& interfaceClass) {
  ++setsBuilt_;
  const auto kind = KindOf(interfaceClass);
  std::vector<std::size_t> nodes;
  for (std::size_t n = 0; n < machine_.nodes.size(); ++n) {
    const auto& unit = machine_.nodes[n].unit;
    if (unit && kind && machine_.units[*unit].interfaceKind == *kind && machine_.IsPresent(n)) nodes.push_back(n);
  }
  return std::make_unique<SimDeviceInfoSet>(machine_, std::move(nodes), setsOpen_);
}

std::unique_ptr<DeviceInfoSet> SimDeviceInterfaces::ClassDevsOfEnumerator(std::string_view enumerator) {
  ++setsBuilt_;
  std::vector<std::size_t> nodes;
  for (std::size_t n = 0; n < machine_.nodes.size(); ++n) {
    if (EnumeratedBy(machine_.nodes[n], enumerator) && machine_.IsPresent(n)) nodes.push_back(n);
  }
  return std::make_unique<SimDeviceInfoSet>(machine_, std::move(nodes), setsOpen_);
}

}  // namespace holvara::sim
