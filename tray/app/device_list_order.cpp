#include "tray/app/device_list_order.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <vector>

#include "common/text_field.h"

namespace holvara {
namespace {

constexpr std::uint8_t kFirstUnlistedValue = 128;

bool Listable(const StagingSlot& slot) {
  return slot.inUse == 1 && slot.host < kFirstUnlistedValue && slot.port < kFirstUnlistedValue &&
         slot.target < kFirstUnlistedValue;
}

DeviceListEntry EntryFrom(const StagingSlot& slot) {
  DeviceListEntry entry{};
  entry.inUse = 1;
  entry.kind = kSingleDevice;
  entry.systemDrive = slot.systemDrive;
  entry.host = slot.host;
  entry.port = slot.port;
  entry.target = slot.target;
  entry.serviceIndex = slot.serviceIndex;
  CopyToField(entry.driveLetters, ReadField(slot.driveLetters));
  CopyToField(entry.displayName, ReadField(slot.displayName));
  CopyToField(entry.hardwareId, ReadField(slot.hardwareId));
  CopyToField(entry.deviceDescription, ReadField(slot.deviceDescription));
  CopyToField(entry.deviceObjectName, ReadField(slot.deviceObjectName));
  return entry;
}

bool SameUnit(const DeviceListEntry& a, const DeviceListEntry& b) { return a.host == b.host && a.port == b.port; }

void MakeUnitHeader(DeviceListEntry& entry) {
  entry.kind = kUnitHeader;
  std::snprintf(entry.displayName, sizeof entry.displayName, "[ HOST:%d  PORT:%d ]  PORT MULTIPLIER UNIT",
                entry.host + 1, entry.port + 1);
  entry.systemDrive = 0;
  entry.target = 0;
  std::memset(entry.driveLetters, 0, sizeof entry.driveLetters);
  std::memset(entry.hardwareId, 0, sizeof entry.hardwareId);
  std::memset(entry.deviceDescription, 0, sizeof entry.deviceDescription);
}

}  // namespace

void OrderDeviceList(const StagingTable& staging, DeviceListTable& list) {
  list = {};
  std::vector<const StagingSlot*> listed;
  for (std::size_t i = 0; i < kDeviceListCapacity; ++i) {
    if (Listable(staging[i])) listed.push_back(&staging[i]);
  }
  std::stable_sort(listed.begin(), listed.end(), [](const StagingSlot* a, const StagingSlot* b) {
    return std::tie(a->host, a->port, a->target) < std::tie(b->host, b->port, b->target);
  });
  for (std::size_t i = 0; i < listed.size(); ++i) list[i] = EntryFrom(*listed[i]);
}

void GroupPortMultiplierUnits(DeviceListTable& list) {
  std::size_t i = 0;
  while (i < kDeviceListCapacity) {
    DeviceListEntry& entry = list[i];
    const bool startsUnit = entry.inUse == 1 && !(i > 0 && SameUnit(entry, list[i - 1])) && list[i + 1].inUse == 1 &&
                            SameUnit(list[i + 1], entry);
    if (!startsUnit) {
      ++i;
      continue;
    }
    // Shift the rest down one place; the header takes the place of its first member.
    std::copy_backward(list.begin() + i, list.begin() + kDeviceListCapacity - 1, list.begin() + kDeviceListCapacity);
    MakeUnitHeader(list[i]);
    for (std::size_t j = i + 1; j < kDeviceListEntries; ++j) {
      if (list[j].inUse == 1 && SameUnit(list[j], list[i])) {
        list[j].inUnit = 1;
        ++list[i].memberCount;
      }
    }
    i += 2;
  }
}

}  // namespace holvara
