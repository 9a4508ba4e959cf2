// The device list as HolvaraCli prints it: a table for people, JSON for scripts. Both show the
// list index that "remove --index" takes.
#pragma once

#include <ostream>

#include "tray/app/device_list.h"

namespace holvara::cli {

void PrintTable(const DeviceListTable& list, std::ostream& out);
void PrintJson(const DeviceListTable& list, std::ostream& out);

// "E: F:" for the letters "EF".
std::string DriveNames(const DeviceListEntry& entry);

}  // namespace holvara::cli
