// How a disk in a port-multiplier unit is named: by its tray, the unit's port target counted
// from 1. The device menu, the remove-device dialog, the success message and the command-line
// tool all name a member this way.
#pragma once

#include <string>

namespace holvara {

// "TRAY:n", as it stands inside a device's brackets ("[ TRAY:n name ]").
inline std::string TrayTag(int target) { return "TRAY:" + std::to_string(target + 1); }

// "[ TRAY:n ]", as it stands before a member's name.
inline std::string TrayLabel(int target) { return "[ " + TrayTag(target) + " ]"; }

}  // namespace holvara
