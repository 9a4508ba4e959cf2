// The basic-disk check: a disk counts as basic unless its first partition belongs to the
// dynamic-disk manager, or its layout cannot be read, or it has no partition table at all.
#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "platform/ports/drive_layout.h"
#include "service/devices/device_control.h"
#include "service/devices/drive_letters.h"

namespace holvara {
namespace {

constexpr std::size_t kFirstLayoutReadBytes = 10240;
constexpr std::uint8_t kDynamicMbrPartitionType = 0x42;
constexpr Guid kPartitionLdmMetadata{0x5808C8AA, 0x7E8F, 0x42E0, {0x85, 0xD2, 0xE1, 0xE9, 0x04, 0x34, 0xCF, 0xB3}};
constexpr Guid kPartitionLdmData{0xAF9B60A0, 0x1431, 0x4F62, {0xBC, 0x68, 0x33, 0x11, 0x71, 0x4A, 0x69, 0xAD}};

using LayoutRead = bool (StorageHandle::*)(std::span<std::byte>, std::uint32_t&);

// The first read only tells how many bytes the layout takes; the second reads exactly that many.
std::optional<std::vector<std::byte>> ReadLayout(StorageHandle& disk, LayoutRead read) {
  std::vector<std::byte> probe(kFirstLayoutReadBytes);
  std::uint32_t size = 0;
  (disk.*read)(probe, size);
  std::vector<std::byte> layout(std::min<std::size_t>(size, kFirstLayoutReadBytes));
  std::uint32_t returned = 0;
  if (!(disk.*read)(layout, returned)) return std::nullopt;
  layout.resize(std::min<std::size_t>(returned, layout.size()));
  return layout;
}

// Bytes beyond what the system returned read as zero, as in the zero-filled buffer.
template <typename T>
T ReadAt(const std::vector<std::byte>& bytes, std::size_t offset) {
  T value{};
  if (offset + sizeof(T) <= bytes.size()) std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

std::uint32_t JudgeExtendedLayout(const std::vector<std::byte>& layout) {
  switch (ReadAt<std::uint32_t>(layout, drive_layout::kExPartitionStyle)) {
    case drive_layout::kStyleMbr:
      return 1;
    case drive_layout::kStyleGpt: {
      const auto type = ReadAt<Guid>(layout, drive_layout::kExFirstGptPartitionType);
      return type == kPartitionLdmMetadata || type == kPartitionLdmData ? 0 : 1;
    }
    default:
      return 0;
  }
}

}  // namespace

std::uint32_t DeviceControl::CheckBasicDisk(std::uint8_t diskNumber) {
  // Sharing reading too: a disk monitor or backup tool reading the disk must not make it count as
  // not basic, and so drop out of the list.
  const auto disk =
      ports_.storage.Open(PhysicalDrivePath(diskNumber), kGenericRead | kGenericWrite, kShareRead | kShareWrite);
  if (!disk) return 0;
  if (const auto classic = ReadLayout(*disk, &StorageHandle::GetDriveLayout)) {
    return ReadAt<std::uint8_t>(*classic, drive_layout::kClassicFirstPartitionType) == kDynamicMbrPartitionType ? 0 : 1;
  }
  const auto extended = ReadLayout(*disk, &StorageHandle::GetDriveLayoutEx);
  return extended ? JudgeExtendedLayout(*extended) : 0;
}

}  // namespace holvara
