#include "tray/cli/entry_identity.h"

#include <cstddef>

#include "common/protocol.h"
#include "common/text_field.h"

namespace holvara::cli {
namespace {

bool KeptAsIs(unsigned char byte) {
  return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') || byte == '_' ||
         byte == '.' || byte == '-';
}

std::string Encoded(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (KeptAsIs(byte)) {
      encoded += c;
    } else {
      encoded += '~';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0xF];
    }
  }
  return encoded;
}

// The texts cut as the removal request carries them, which is what the service compares.
std::string DeviceIdentity(const DeviceListEntry& entry) {
  ServiceRequest request{};
  CopyToField(request.hardwareId, ReadField(entry.hardwareId));
  CopyToField(request.deviceObjectName, ReadField(entry.deviceObjectName));
  std::string identity = "D:";
  identity += Encoded(ReadField(request.hardwareId));
  identity += ':';
  identity += Encoded(ReadField(request.deviceObjectName));
  return identity;
}

std::string UnitPosition(const DeviceListEntry& header) {
  std::string position = "U:";
  position += std::to_string(header.host);
  position += '.';
  position += std::to_string(header.port);
  return position;
}

}  // namespace

std::string EntryIdentity(const DeviceListTable& list, int index) {
  const auto entries = EntriesInUse(list);
  if (index < 0 || static_cast<std::size_t>(index) >= entries.size()) return {};
  const DeviceListEntry& entry = entries[static_cast<std::size_t>(index)];
  if (entry.kind != kUnitHeader) return DeviceIdentity(entry);
  std::string identity = UnitPosition(entry);
  for (std::size_t member = static_cast<std::size_t>(index) + 1;
       member < entries.size() && member <= static_cast<std::size_t>(index) + entry.memberCount; ++member) {
    identity += '+';
    identity += DeviceIdentity(entries[member]);
  }
  return identity;
}

int IndexOfIdentity(const DeviceListTable& list, std::string_view identity) {
  const int count = static_cast<int>(EntriesInUse(list).size());
  for (int index = 0; index < count; ++index) {
    if (EntryIdentity(list, index) == identity) return index;
  }
  return -1;
}

int UnitAtPositionOf(const DeviceListTable& list, std::string_view identity) {
  const auto entries = EntriesInUse(list);
  for (std::size_t index = 0; index < entries.size(); ++index) {
    if (entries[index].kind != kUnitHeader) continue;
    const std::string position = UnitPosition(entries[index]);
    if (identity.starts_with(position) && (identity.size() == position.size() || identity[position.size()] == '+')) {
      return static_cast<int>(index);
    }
  }
  return -1;
}

}  // namespace holvara::cli
