// Turning the staging table into the device list: ordering by host, port and target, then
// grouping the devices that share a host and port under a port-multiplier unit header.
#pragma once

#include "tray/app/device_list.h"

namespace holvara {

// Clears the list and appends the in-use staging slots 0 to 24 in stable (host, port, target)
// order; a slot with any of the three at 128 or more is left out.
void OrderDeviceList(const StagingTable& staging, DeviceListTable& list);

// Inserts a unit header before each run of two or more entries with the same host and port, and
// marks the run's members. A full list loses its last entry for each header.
void GroupPortMultiplierUnits(DeviceListTable& list);

}  // namespace holvara
