#include "tray/dialogs/remove_device_host.h"

#include <algorithm>

namespace holvara {

bool SameDevice(const ListedDevice& a, const ListedDevice& b) {
  return a.kind == b.kind && a.hardwareId == b.hardwareId && a.deviceObjectName == b.deviceObjectName;
}

bool SameDevice(const ShownDevice& a, const ShownDevice& b) {
  return SameDevice(a.entry, b.entry) &&
         std::equal(a.members.begin(), a.members.end(), b.members.begin(), b.members.end(),
                    [](const ListedDevice& x, const ListedDevice& y) { return SameDevice(x, y); });
}

ShownDevice ShownDeviceAt(const std::vector<ListedDevice>& rows, std::size_t row) {
  ShownDevice shown{rows.at(row), {}};
  if (shown.entry.kind != kListedUnit) return shown;
  for (std::size_t member = row + 1; member < rows.size() && rows[member].inUnit; ++member) {
    shown.members.push_back(rows[member]);
  }
  return shown;
}

}  // namespace holvara
