// The device list as HolvaraCli prints it: a table for people, JSON for scripts. Both show the
// list index that "remove --index" takes.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "tray/app/device_list.h"

namespace holvara::cli {

void PrintTable(const DeviceListTable& list, std::ostream& out);
void PrintJson(const DeviceListTable& list, std::ostream& out);

// A JSON string of 8-bit text: quotes and backslashes escaped, other bytes outside printable
// ASCII as \u00XX.
std::string JsonText(std::string_view text);

// "E: F:" for the letters "EF".
std::string DriveNames(const DeviceListEntry& entry);

}  // namespace holvara::cli
