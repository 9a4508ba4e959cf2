// Where the fields the logic reads lie in the system's drive layout structures, so that layouts
// travel as raw bytes between the storage port and the code that judges them.
#pragma once

#include <cstddef>
#include <cstdint>

namespace holvara::drive_layout {

// DRIVE_LAYOUT_INFORMATION: PartitionCount, Signature, then PARTITION_INFORMATION entries.
inline constexpr std::size_t kClassicHeaderSize = 8;
inline constexpr std::size_t kClassicEntrySize = 32;
inline constexpr std::size_t kClassicFirstPartitionType = kClassicHeaderSize + 24;

// DRIVE_LAYOUT_INFORMATION_EX: PartitionStyle, PartitionCount, the MBR/GPT union, then
// PARTITION_INFORMATION_EX entries.
inline constexpr std::size_t kExPartitionStyle = 0;
inline constexpr std::size_t kExPartitionCount = 4;
inline constexpr std::size_t kExHeaderSize = 48;
inline constexpr std::size_t kExEntrySize = 144;
inline constexpr std::size_t kExFirstMbrPartitionType = kExHeaderSize + 32;
inline constexpr std::size_t kExFirstGptPartitionType = kExHeaderSize + 32;

// PARTITION_STYLE values.
inline constexpr std::uint32_t kStyleMbr = 0;
inline constexpr std::uint32_t kStyleGpt = 1;
inline constexpr std::uint32_t kStyleRaw = 2;

}  // namespace holvara::drive_layout
