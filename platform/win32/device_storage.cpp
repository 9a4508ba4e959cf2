#include "platform/win32/device_storage.h"

#include <winioctl.h>

#include <string>

namespace holvara {

namespace {

static_assert(sizeof(STORAGE_DEVICE_NUMBER) == sizeof(StorageDeviceNumber));

class Win32StorageHandle final : public StorageHandle {
 public:
  explicit Win32StorageHandle(HANDLE handle) : handle_(handle) {}
  ~Win32StorageHandle() override { CloseHandle(handle_); }
  Win32StorageHandle(const Win32StorageHandle&) = delete;
  Win32StorageHandle& operator=(const Win32StorageHandle&) = delete;

  std::optional<StorageDeviceNumber> GetDeviceNumber() override {
    STORAGE_DEVICE_NUMBER number{};
    DWORD returned = 0;
    if (!DeviceIoControl(handle_, IOCTL_STORAGE_GET_DEVICE_NUMBER, nullptr, 0, &number, sizeof number, &returned,
                         nullptr)) {
      return std::nullopt;
    }
    return StorageDeviceNumber{number.DeviceType, number.DeviceNumber, number.PartitionNumber};
  }

  bool GetDriveLayout(std::span<std::byte> buffer, std::uint32_t& bytesReturned) override {
    return Query(IOCTL_DISK_GET_DRIVE_LAYOUT, buffer, bytesReturned);
  }

  bool GetDriveLayoutEx(std::span<std::byte> buffer, std::uint32_t& bytesReturned) override {
    return Query(IOCTL_DISK_GET_DRIVE_LAYOUT_EX, buffer, bytesReturned);
  }

 private:
  bool Query(DWORD code, std::span<std::byte> buffer, std::uint32_t& bytesReturned) {
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(handle_, code, nullptr, 0, buffer.data(), static_cast<DWORD>(buffer.size()),
                                      &returned, nullptr);
    bytesReturned = returned;
    return done != FALSE;
  }

  HANDLE handle_;
};

}  // namespace

std::unique_ptr<StorageHandle> Win32Storage::Open(std::string_view path, std::uint32_t access, std::uint32_t share) {
  const std::string name(path);
  HANDLE handle = CreateFileA(name.c_str(), access, share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  return std::make_unique<Win32StorageHandle>(handle);
}

std::uint32_t Win32Storage::GetLogicalDrives() { return ::GetLogicalDrives(); }

std::uint32_t Win32Storage::GetDriveType(std::string_view root) {
  const std::string name(root);
  return GetDriveTypeA(name.c_str());
}

}  // namespace holvara
