// The stable identity of a device-list entry, for scripts: what the service itself finds a device
// by (its hardware ID and device object name, as a removal request carries them), and for a unit
// its adapter position and its members' identities. It stays the same across refreshes while the
// device stays attached, and it changes when a unit gains or loses a member.
//
// Text form, safe as one word in cmd.exe, PowerShell and POSIX shells and as a JSON string:
//   device  D:<hardware ID>:<device object name>
//   unit    U:<host>.<port>+<member identity>+<member identity>...   (members in list order)
// where each text keeps the bytes A-Z a-z 0-9 _ . - and writes every other byte as ~ and two
// upper-case hex digits ("\" is ~5C, "&" is ~26, a space is ~20). The texts are the request's
// fields, at most 63 and 127 bytes, so a device's identity has at most 573 characters (a unit's
// at most 9 plus 574 per member).
#pragma once

#include <string>
#include <string_view>

#include "tray/app/device_list.h"

namespace holvara::cli {

// The identity of entry index of the list in use (a unit with its members); empty for an index
// without an entry.
std::string EntryIdentity(const DeviceListTable& list, int index);

// The entry of the list in use with this identity, or -1.
int IndexOfIdentity(const DeviceListTable& list, std::string_view identity);

// The index of the unit at the adapter position an identity of a unit names, or -1 (also for a
// device's identity): the unit that is there now, whatever its members are.
int UnitAtPositionOf(const DeviceListTable& list, std::string_view identity);

}  // namespace holvara::cli
