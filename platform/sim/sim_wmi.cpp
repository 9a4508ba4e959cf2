#include "platform/sim/sim_wmi.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

namespace holvara::sim {
namespace {

class SimWmiServices : public WmiServices {
 public:
  explicit SimWmiServices(const Machine& machine) : machine_(machine) { Describe(); }

  std::optional<std::vector<std::string>> QueryPartitionDeviceIds() override {
    if (!machine_.wmi.queryWorks) return std::nullopt;
    return partitions_;
  }

  bool ObjectExists(std::string_view path) override { return associations_.count(std::string(path)) != 0; }

 private:
  // Partitions in disk-number order, each disk's in the order of its volumes.
  void Describe() {
    std::map<std::uint32_t, std::vector<const Volume*>> volumesByDisk;
    for (const Volume& volume : machine_.volumes) {
      if (!machine_.IsVolumePresent(volume)) continue;
      for (const std::size_t unit : volume.units) {
        if (!machine_.units[unit].optical) volumesByDisk[machine_.units[unit].number].push_back(&volume);
      }
    }
    for (const auto& [disk, volumes] : volumesByDisk) {
      for (std::size_t p = 0; p < volumes.size(); ++p) {
        const std::string id = "Disk #" + std::to_string(disk) + ", Partition #" + std::to_string(p);
        partitions_.push_back(id);
        associations_.insert("Win32_LogicalDiskToPartition.Antecedent=\"Win32_DiskPartition.DeviceID=\\\"" + id +
                             "\\\"\",Dependent=\"Win32_LogicalDisk.DeviceID=\\\"" + volumes[p]->letter + ":\\\"\"");
      }
    }
  }

  const Machine& machine_;
  std::vector<std::string> partitions_;
  std::set<std::string> associations_;
};

}  // namespace

std::int32_t SimWmi::InitializeCom() {
  if (machine_.wmi.comResult >= 0) ++comDepth_;
  return machine_.wmi.comResult;
}

std::int32_t SimWmi::InitializeSecurity() {
  if (machine_.wmi.securityResult < 0) return machine_.wmi.securityResult;
  if (securitySet_) return kRpcETooLate;
  securitySet_ = true;
  return kSOk;
}

void SimWmi::UninitializeCom() { --comDepth_; }

std::unique_ptr<WmiServices> SimWmi::ConnectCimv2() {
  if (!machine_.wmi.connects) return nullptr;
  return std::make_unique<SimWmiServices>(machine_);
}

}  // namespace holvara::sim
