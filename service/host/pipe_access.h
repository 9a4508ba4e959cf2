// Who may open the service's pipe. Accounts are named by well-known identity, not by name, so the
// list means the same on every language version of the system. Users may read, write and
// synchronise, but not change the pipe's security or delete it.
#pragma once

#include <array>
#include <cstdint>

#include "platform/ports/ipc.h"

namespace holvara {

inline constexpr std::uint32_t kPipeFullAccess = 0x1F01FF;
// FILE_GENERIC_READ | FILE_GENERIC_WRITE: no WRITE_DAC, WRITE_OWNER or DELETE.
inline constexpr std::uint32_t kPipeUserAccess = 0x12019F;

inline constexpr std::array<AccessEntry, 3> kPipeAccess{{
    {WellKnownTrustee::kLocalSystem, kPipeFullAccess},
    {WellKnownTrustee::kAdministrators, kPipeFullAccess},
    {WellKnownTrustee::kUsers, kPipeUserAccess},
}};

}  // namespace holvara
