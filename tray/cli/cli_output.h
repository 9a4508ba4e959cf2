// The device list as HolvaraCli prints it: a table for people, JSON for scripts. Both show the
// list index that "remove --index" takes; the texts, in the ANSI code page in the list, are
// written as UTF-8.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "platform/ports/ansi_text.h"
#include "tray/app/device_list.h"

namespace holvara::cli {

void PrintTable(const DeviceListTable& list, AnsiText& ansi, std::ostream& out);
void PrintJson(const DeviceListTable& list, AnsiText& ansi, std::ostream& out);

// A JSON string of UTF-8 text: the characters themselves, only quotes, backslashes and control
// characters escaped.
std::string JsonText(std::string_view utf8);

// "E: F:" for the letters "EF".
std::string DriveNames(const DeviceListEntry& entry);

}  // namespace holvara::cli
