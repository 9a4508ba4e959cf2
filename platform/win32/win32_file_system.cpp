#include "platform/win32/win32_file_system.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

namespace holvara {

namespace {

using PathBuffer = std::array<char, MAX_PATH>;

struct SearchCloser {
  void operator()(HANDLE search) const {
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
};

}  // namespace

bool Win32FileSystem::Find(std::string_view path) {
  WIN32_FIND_DATAA found;
  const std::unique_ptr<void, SearchCloser> search(FindFirstFileA(std::string(path).c_str(), &found));
  return search.get() != INVALID_HANDLE_VALUE;
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
  // A path cut to the buffer comes back without its terminator on older systems; it holds at most
  // what the buffer holds with one.
  const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
  return std::string(buffer.data(), std::min<std::size_t>(length, buffer.size() - 1));
}

}  // namespace holvara
