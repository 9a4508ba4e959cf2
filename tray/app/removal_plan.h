// What one removal works from: a copy of a device-list entry (for a port-multiplier unit, its
// header and every member) taken when the removal starts, so that a refresh of the list during
// the removal's boxes and dialogs can neither change nor redirect it. Free of any user interface,
// so a command-line tool can remove devices the same way.
#pragma once

#include <optional>
#include <vector>

#include "common/protocol.h"
#include "tray/app/device_list.h"

namespace holvara {

struct RemovalPlan {
  // The entry the removal was asked for: a single device or a unit header.
  DeviceListEntry entry;
  // A unit's members in list order; empty for a single device.
  std::vector<DeviceListEntry> members;

  bool IsUnit() const { return entry.kind == kUnitHeader; }
};

// The plan for entry index of the list, or none when nothing can be removed there: an index
// outside the list's 25 places, an entry not in use, an entry of another kind, a unit without
// members or with members beyond the end of the list.
std::optional<RemovalPlan> PlanRemoval(const DeviceListTable& list, int index);

// The device-removal request for one single device: command 3, its device number, hardware ID
// and device object name, everything else zero.
ServiceRequest MakeRemovalRequest(const DeviceListEntry& entry);

}  // namespace holvara
