// The drive letters C to Z and the paths made from them and from disk numbers.
#pragma once

#include <string>

#include "platform/ports/storage.h"

namespace holvara {

// "\\.\PhysicalDrive<n>"
std::string PhysicalDrivePath(int diskNumber);
// "\\.\<L>:"
std::string VolumePath(char letter);
// "<L>:"
std::string DriveRoot(char letter);

// Calls visit for every letter from C to Z that GetLogicalDrives reports, in that order.
template <typename Visit>
void ForEachPresentLetter(Storage& storage, Visit&& visit) {
  const std::uint32_t mask = storage.GetLogicalDrives();
  for (char letter = 'C'; letter <= 'Z'; ++letter) {
    if (mask & (1u << (letter - 'A'))) visit(letter);
  }
}

}  // namespace holvara
