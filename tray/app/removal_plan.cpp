#include "tray/app/removal_plan.h"

#include "common/text_field.h"

namespace holvara {

std::optional<RemovalPlan> PlanRemoval(const DeviceListTable& list, int index) {
  if (index < 0 || index >= static_cast<int>(kDeviceListCapacity)) return std::nullopt;
  const DeviceListEntry& entry = list[static_cast<std::size_t>(index)];
  if (entry.inUse != 1) return std::nullopt;
  RemovalPlan plan{entry, {}};
  if (entry.kind == kSingleDevice) return plan;
  if (entry.kind != kUnitHeader || entry.memberCount == 0) return std::nullopt;
  const std::size_t first = static_cast<std::size_t>(index) + 1;
  if (first + entry.memberCount > list.size()) return std::nullopt;
  plan.members.assign(list.begin() + static_cast<std::ptrdiff_t>(first),
                      list.begin() + static_cast<std::ptrdiff_t>(first + entry.memberCount));
  return plan;
}

ServiceRequest MakeRemovalRequest(const DeviceListEntry& entry) {
  ServiceRequest request{};
  request.command = kDEVICE_REMOVE;
  request.index = entry.serviceIndex;
  CopyToField(request.hardwareId, ReadField(entry.hardwareId));
  CopyToField(request.deviceObjectName, ReadField(entry.deviceObjectName));
  return request;
}

}  // namespace holvara
