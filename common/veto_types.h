// What the programs make of a removal's veto type: its name in the command-line tool's output,
// and whether a program's open handle is the reason (so that the event log can name it).
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "common/protocol.h"

namespace holvara {

// The name of a veto type in the command-line tool's JSON; "unknown" for values past the last.
inline std::string_view VetoTypeName(std::uint32_t type) {
  static constexpr std::array<std::string_view, kLastVetoType + 1> kNames = {"unknown",
                                                                             "legacyDevice",
                                                                             "pendingClose",
                                                                             "windowsApp",
                                                                             "windowsService",
                                                                             "outstandingOpen",
                                                                             "device",
                                                                             "driver",
                                                                             "illegalDeviceRequest",
                                                                             "insufficientPower",
                                                                             "nonDisableable",
                                                                             "legacyDriver",
                                                                             "insufficientRights",
                                                                             "alreadyRemoved"};
  return type <= kLastVetoType ? kNames[type] : kNames[kVetoUnknown];
}

// True for the veto types that mean a program has the device (or a volume on it) open.
inline bool IsProgramVeto(std::uint32_t type) {
  return type == kVetoWindowsApp || type == kVetoOutstandingOpen || type == kVetoPendingClose;
}

}  // namespace holvara
