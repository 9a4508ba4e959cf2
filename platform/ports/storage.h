// Storage devices and volumes: opening a device path, the storage device number and the drive
// layouts of a disk, and the drive letters with their drive types.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace holvara {

// CreateFileA access and share bits.
inline constexpr std::uint32_t kAccessNone = 0;
inline constexpr std::uint32_t kGenericRead = 0x80000000;
inline constexpr std::uint32_t kGenericWrite = 0x40000000;
inline constexpr std::uint32_t kShareRead = 0x1;
inline constexpr std::uint32_t kShareWrite = 0x2;

// GetDriveTypeA results beyond those in common/protocol.h.
inline constexpr std::uint32_t kDriveRemovable = 2;

// STORAGE_DEVICE_NUMBER, the answer of IOCTL_STORAGE_GET_DEVICE_NUMBER.
struct StorageDeviceNumber {
  std::uint32_t deviceType;
  std::uint32_t deviceNumber;
  std::uint32_t partitionNumber;
};
static_assert(sizeof(StorageDeviceNumber) == 12);

// An open device path; destroying it closes the handle.
class StorageHandle {
 public:
  virtual ~StorageHandle() = default;

  // DeviceIoControl(IOCTL_STORAGE_GET_DEVICE_NUMBER): nullopt when the query fails.
  virtual std::optional<StorageDeviceNumber> GetDeviceNumber() = 0;
  // DeviceIoControl(IOCTL_DISK_GET_DRIVE_LAYOUT) into `buffer`: the system's
  // DRIVE_LAYOUT_INFORMATION bytes (platform/ports/drive_layout.h); false when it fails.
  virtual bool GetDriveLayout(std::span<std::byte> buffer, std::uint32_t& bytesReturned) = 0;
  // DeviceIoControl(IOCTL_DISK_GET_DRIVE_LAYOUT_EX): DRIVE_LAYOUT_INFORMATION_EX bytes.
  virtual bool GetDriveLayoutEx(std::span<std::byte> buffer, std::uint32_t& bytesReturned) = 0;
};

class Storage {
 public:
  virtual ~Storage() = default;

  // CreateFileA(path, access, share, OPEN_EXISTING, normal attributes): null when it fails.
  virtual std::unique_ptr<StorageHandle> Open(std::string_view path, std::uint32_t access, std::uint32_t share) = 0;
  // GetLogicalDrives: bit 0 is A.
  virtual std::uint32_t GetLogicalDrives() = 0;
  // GetDriveTypeA of a root such as "E:".
  virtual std::uint32_t GetDriveType(std::string_view root) = 0;
};

}  // namespace holvara
