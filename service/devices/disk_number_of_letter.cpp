// The WMI fallback of the drive-letter lookup, for volumes that do not answer the device-number
// query themselves (a volume spanning several disks, for one).
#include <string>

#include "service/devices/device_list.h"

namespace holvara {
namespace {

constexpr int kNoDisk = -1;

// Uninitialises COM on the calling thread when the lookup ends, after every WMI object is gone.
class ComScope {
 public:
  explicit ComScope(Wmi& wmi) : wmi_(wmi) {}
  ~ComScope() { wmi_.UninitializeCom(); }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  Wmi& wmi_;
};

// The leading decimal number of the partition's DeviceID once every "Disk #" is taken out of it
// ("Disk #2, Partition #0" gives 2); no leading digit gives 0.
int DiskNumberOfPartition(std::string deviceId) {
  constexpr std::string_view kDiskMark = "Disk #";
  for (auto at = deviceId.find(kDiskMark); at != std::string::npos; at = deviceId.find(kDiskMark, at)) {
    deviceId.erase(at, kDiskMark.size());
  }
  constexpr int kLargestDiskNumber = 1 << 24;
  int number = 0;
  for (const char c : deviceId) {
    if (c < '0' || c > '9' || number > kLargestDiskNumber) break;
    number = number * 10 + (c - '0');
  }
  return number;
}

std::string AssociationPath(const std::string& partitionDeviceId, char letter) {
  return "Win32_LogicalDiskToPartition.Antecedent=\"Win32_DiskPartition.DeviceID=\\\"" + partitionDeviceId +
         "\\\"\",Dependent=\"Win32_LogicalDisk.DeviceID=\\\"" + letter + ":\\\"\"";
}

}  // namespace

int DeviceList::GetDiskNumberOfLetter(char letter) {
  Wmi& wmi = ports_.wmi;
  if (wmi.InitializeCom() < 0) return kNoDisk;
  ComScope com(wmi);
  const std::int32_t security = wmi.InitializeSecurity();
  if (security < 0 && security != kRpcETooLate) return kNoDisk;
  const auto services = wmi.ConnectCimv2();
  if (!services) return kNoDisk;
  const auto partitions = services->QueryPartitionDeviceIds();
  if (!partitions) return kNoDisk;

  int disk = kNoDisk;
  for (const std::string& partition : *partitions) {
    if (partition.empty()) continue;
    if (services->ObjectExists(AssociationPath(partition, letter))) disk = DiskNumberOfPartition(partition);
  }
  return disk;
}

}  // namespace holvara
