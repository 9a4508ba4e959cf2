#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <array>
#include <string>

namespace holvara {

namespace {
using PathBuffer = std::array<char, MAX_PATH>;
}  // namespace

bool Win32FileSystem::Find(std::string_view path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(std::string(path).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

std::string Win32FileSystem::WindowsDirectory() {
  PathBuffer buffer{};
  GetWindowsDirectoryA(buffer.data(), static_cast<UINT>(buffer.size()));
  return buffer.data();
}

std::string Win32FileSystem::CurrentDirectory() {
  PathBuffer buffer{};
  GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  return buffer.data();
}

std::string Win32FileSystem::ModuleFileName() {
  PathBuffer buffer{};
  GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return buffer.data();
}

}  // namespace holvara
