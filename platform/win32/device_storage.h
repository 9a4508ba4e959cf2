// The storage port over CreateFileA, DeviceIoControl and the drive-letter calls.
#pragma once

// windows.h maps GetDriveType to GetDriveTypeA, which would rename the port's operation in every
// file that sees both; the macro is dropped before the port is declared.
#include <windows.h>
#undef GetDriveType

#include "platform/ports/storage.h"

namespace holvara {

class Win32Storage final : public Storage {
 public:
  std::unique_ptr<StorageHandle> Open(std::string_view path, std::uint32_t access, std::uint32_t share) override;
  std::uint32_t GetLogicalDrives() override;
  std::uint32_t GetDriveType(std::string_view root) override;
};

}  // namespace holvara
