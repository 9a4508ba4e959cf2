#include "platform/win32/win32_mutexes.h"

#include <windows.h>

#include <string>

namespace holvara {

namespace {

class Win32NamedMutex final : public NamedMutex {
 public:
  explicit Win32NamedMutex(HANDLE handle) : handle_(handle) {}
  ~Win32NamedMutex() override { CloseHandle(handle_); }
  Win32NamedMutex(const Win32NamedMutex&) = delete;
  Win32NamedMutex& operator=(const Win32NamedMutex&) = delete;
  void Release() override { ReleaseMutex(handle_); }

 private:
  HANDLE handle_;
};

}  // namespace

MutexCreation Win32NamedMutexes::Create(std::string_view name) {
  HANDLE handle = CreateMutexA(nullptr, FALSE, std::string(name).c_str());
  if (handle == nullptr) return {};
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  return {std::make_unique<Win32NamedMutex>(handle), existed};
}

}  // namespace holvara
