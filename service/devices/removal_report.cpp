#include <algorithm>
#include <array>
#include <cctype>
#include <optional>
#include <string>

#include "common/text_field.h"
#include "common/veto_types.h"
#include "service/devices/device_control.h"

namespace holvara {

namespace {

// More events than programs fit, so that a program logged twice does not hide a third, and so
// that a cut list is known to be cut; few enough that a busy log is not read for long.
constexpr std::size_t kMaxVetoEventsRead = 16;
// How long the log may take to record the kernel's events after the veto.
constexpr std::uint32_t kVetoEventSettleMs = 1000;

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) {
    return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
  });
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && SameIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Turns \Device\HarddiskVolumeN\dir\app.exe into X:\dir\app.exe for the letter whose device is
// \Device\HarddiskVolumeN; a path on a volume without a letter stays as the kernel wrote it.
class DrivePaths {
 public:
  explicit DrivePaths(VolumeNames& names) {
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
      devices_[static_cast<std::size_t>(letter - 'A')] = names.DeviceOfDriveLetter(letter);
    }
  }

  std::string Of(const std::string& kernelPath) const {
    for (std::size_t i = 0; i < devices_.size(); ++i) {
      const auto& device = devices_[i];
      if (!device || device->empty()) continue;
      if (StartsWithIgnoringCase(kernelPath, *device) && kernelPath.size() > device->size() &&
          kernelPath[device->size()] == '\\') {
        return std::string(1, static_cast<char>('A' + i)) + ":" + kernelPath.substr(device->size());
      }
    }
    return kernelPath;
  }

 private:
  std::array<std::optional<std::string>, 26> devices_;
};

}  // namespace

RemovalReport DeviceControl::GetDeviceRemoveReport(std::string_view hardwareId, std::string_view deviceObjectName) {
  ports_.debug.Write("GetDeviceRemoveReport in");
  RemovalReport report{};
  report.result = RemoveMatching(hardwareId, deviceObjectName, [&](DevNode node) {
    report = RemoveWithReport(node);
    return report.result == 1;
  });
  return report;
}

RemovalReport DeviceControl::RemoveWithReport(DevNode node) {
  RemovalReport report{};
  const EventLogMark since = ports_.eventLog.Mark();
  RemovalVeto veto;
  const std::uint32_t result = ports_.tree.QueryAndRemoveSubtree(node, &veto);
  if (result == kCrSuccess) {
    report.result = 1;
    return report;
  }
  if (result != kCrRemoveVetoed) return report;
  report.vetoed = 1;
  report.vetoType = veto.type;
  CopyToField(report.vetoName, veto.name);
  if (IsProgramVeto(veto.type)) AddBlockingPrograms(report, node, since);
  return report;
}

void DeviceControl::AddBlockingPrograms(RemovalReport& report, DevNode node, EventLogMark since) {
  char instanceId[kDeviceIdBufferSize] = {};
  if (ports_.tree.GetDeviceId(node, instanceId, sizeof instanceId) != kCrSuccess) return;
  instanceId[sizeof instanceId - 1] = '\0';
  const auto events = ports_.eventLog.RemovalVetoesSince(since, instanceId, kMaxVetoEventsRead, kVetoEventSettleMs);
  if (!events) {
    ports_.debug.Write("event log unreadable\n");
    return;
  }
  std::optional<DrivePaths> paths;
  std::array<std::uint32_t, kMaxBlockingPrograms> seen{};
  for (const RemovalVetoEvent& event : *events) {
    // The log's filter is the adapter's; the device is checked again so that no other device's
    // program is ever named.
    if (!SameIgnoringCase(event.deviceInstanceId, instanceId)) continue;
    const auto known = seen.begin() + report.programCount;
    if (std::find(seen.begin(), known, event.processId) != known) continue;
    if (report.programCount == kMaxBlockingPrograms) {
      report.programsCut = 1;
      break;
    }
    if (!paths) paths.emplace(ports_.volumeNames);
    BlockingProgram& program = report.programs[report.programCount];
    program.processId = event.processId;
    CopyToField(program.imagePath, paths->Of(event.processImage));
    seen[report.programCount++] = event.processId;
  }
}

}  // namespace holvara
