#include "tray/cli/cli_output.h"

#include <cstdio>
#include <iomanip>
#include <string>
#include <string_view>

#include "common/text_field.h"
#include "common/tray_label.h"
#include "tray/cli/entry_identity.h"
#include "tray/cli/unicode_text.h"

namespace holvara::cli {
namespace {

// The same text the device menu shows when the list is empty.
constexpr char kEmptyList[] = "No removable device is connected";

const char* KindName(const DeviceListEntry& entry) {
  if (entry.kind == kUnitHeader) return "unit";
  return entry.inUnit ? "member" : "device";
}

// The name as the device menu shows it: a member with its tray number.
std::string DisplayName(const DeviceListEntry& entry, AnsiText& ansi) {
  std::string name = AnsiToUtf8(ansi, ReadField(entry.displayName));
  if (entry.kind == kSingleDevice && entry.inUnit) name = "  " + TrayLabel(entry.target) + " " + name;
  if (entry.systemDrive) name += "  (system files)";
  return name;
}

}  // namespace

std::string JsonText(std::string_view utf8) {
  std::string quoted = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string DriveNames(const DeviceListEntry& entry) {
  std::string names;
  for (const char letter : ReadField(entry.driveLetters)) {
    if (!names.empty()) names += ' ';
    names += letter;
    names += ':';
  }
  return names;
}

void PrintTable(const DeviceListTable& list, AnsiText& ansi, std::ostream& out) {
  if (list[0].inUse != 1) {
    out << kEmptyList << '\n';
    return;
  }
  out << std::left << std::setw(7) << "Index" << std::setw(14) << "Drives"
      << "Device\n";
  const auto entries = EntriesInUse(list);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    out << std::setw(7) << i << std::setw(14) << DriveNames(entries[i]) << DisplayName(entries[i], ansi) << '\n';
  }
}

void PrintJson(const DeviceListTable& list, AnsiText& ansi, std::ostream& out) {
  const auto text = [&ansi](std::string_view field) { return JsonText(AnsiToUtf8(ansi, field)); };
  out << "{\"devices\":[";
  const auto entries = EntriesInUse(list);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const DeviceListEntry& entry = entries[i];
    out << (i ? "," : "") << "{\"index\":" << i << ",\"id\":" << JsonText(EntryIdentity(list, static_cast<int>(i)))
        << ",\"kind\":\"" << KindName(entry) << '"' << ",\"name\":" << text(ReadField(entry.displayName))
        << ",\"driveLetters\":" << text(ReadField(entry.driveLetters))
        << ",\"systemFiles\":" << (entry.systemDrive ? "true" : "false") << ",\"host\":" << int{entry.host}
        << ",\"port\":" << int{entry.port} << ",\"target\":" << int{entry.target}
        << ",\"memberCount\":" << int{entry.memberCount} << ",\"serviceIndex\":" << int{entry.serviceIndex}
        << ",\"hardwareId\":" << text(ReadField(entry.hardwareId))
        << ",\"deviceDescription\":" << text(ReadField(entry.deviceDescription))
        << ",\"deviceObjectName\":" << text(ReadField(entry.deviceObjectName)) << '}';
  }
  out << "]}\n";
}

}  // namespace holvara::cli
