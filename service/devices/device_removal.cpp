#include <optional>
#include <string>
#include <vector>

#include "service/devices/device_control.h"
#include "service/devices/multi_string.h"

namespace holvara {
namespace {

constexpr std::string_view kRemovableEnumerator = "SCSI";

// A hardware-ID read that fails with anything but "buffer too small" or "no such property" is
// repeated, but not for ever: after this many attempts the device is passed over.
constexpr int kHardwareIdReadAttempts = 3;

std::optional<std::string> FirstHardwareId(DeviceInfoSet& set, std::uint32_t index) {
  for (int attempt = 0; attempt < kHardwareIdReadAttempts; ++attempt) {
    std::uint32_t size = 0;
    const std::uint32_t error = set.GetDeviceRegistryProperty(index, kSpdrpHardwareId, nullptr, 0, size);
    if (error == kErrorInvalidData) return std::nullopt;
    if (error != kErrorInsufficientBuffer) continue;
    std::vector<char> buffer(static_cast<std::size_t>(size) + 2, '\0');
    std::uint32_t required = 0;
    if (set.GetDeviceRegistryProperty(index, kSpdrpHardwareId, buffer.data(), size, required) != kErrorSuccess) {
      return std::nullopt;
    }
    return FirstText(SplitMultiString(buffer));
  }
  return std::nullopt;
}

}  // namespace

std::uint32_t DeviceControl::GetDeviceRemove(std::string_view hardwareId, std::string_view deviceObjectName) {
  ports_.debug.Write("GetDeviceRemove in");
  return RemoveMatching(hardwareId, deviceObjectName, [this](DevNode node) {
    return ports_.tree.QueryAndRemoveSubtree(node, nullptr) == kCrSuccess;
  });
}

std::uint32_t DeviceControl::RemoveMatching(std::string_view hardwareId, std::string_view deviceObjectName,
                                            const std::function<bool(DevNode)>& remove) {
  DebugOutput& debug = ports_.debug;
  const auto set = ports_.interfaces.ClassDevsOfEnumerator(kRemovableEnumerator);
  if (!set) return 0;

  std::uint32_t result = 0;
  for (std::uint32_t index = 0;; ++index) {
    const auto node = set->EnumDeviceInfo(index);
    if (!node) break;
    const auto firstId = FirstHardwareId(*set, index);
    if (!firstId || *firstId != hardwareId) continue;
    debug.Write("---find Device to remove--");

    std::uint32_t size = 0;
    set->GetDeviceRegistryProperty(index, kSpdrpPhysicalDeviceObjectName, nullptr, 0, size);
    if (size == 0) continue;
    std::vector<char> name(static_cast<std::size_t>(size) + 2, '\0');
    std::uint32_t required = 0;
    if (set->GetDeviceRegistryProperty(index, kSpdrpPhysicalDeviceObjectName, name.data(), size, required) !=
        kErrorSuccess) {
      debug.Write(name.data());
      debug.Write("SetupDiGetDeviceRegistryProperty err");
      continue;
    }
    debug.Write("pDevObj=");
    debug.Write(name.data());
    debug.Write("\n");
    debug.Write("szPDevObjName=");
    debug.Write(deviceObjectName);
    debug.Write("\n");
    if (std::string_view(name.data()) != deviceObjectName) {
      debug.Write("rvDev != 0 err");
      continue;
    }

    debug.Write("call CM_Query_And_Remove_SubTree function...");
    if (remove(*node)) {
      debug.Write("CM_Query_And_Remove_SubTree success!!\n");
      result = 1;
    } else {
      debug.Write("CM_Query_And_Remove_SubTree faile!!\n");
      result = 0;
    }
  }
  return result;
}

}  // namespace holvara
