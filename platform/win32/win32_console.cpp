#include "platform/win32/win32_console.h"

#include <windows.h>

#include <algorithm>

namespace holvara {
namespace {

HANDLE StandardHandle(StandardStream stream) {
  switch (stream) {
    case StandardStream::kInput:
      return GetStdHandle(STD_INPUT_HANDLE);
    case StandardStream::kOutput:
      return GetStdHandle(STD_OUTPUT_HANDLE);
    case StandardStream::kError:
      return GetStdHandle(STD_ERROR_HANDLE);
  }
  return INVALID_HANDLE_VALUE;
}

constexpr std::size_t kMostPerWrite = 0x4000;

}  // namespace

// GetConsoleMode fails for every handle that is not a console's, the NUL device included (whose
// file type is FILE_TYPE_CHAR like a console's).
bool Win32Console::IsConsole(StandardStream stream) {
  DWORD mode = 0;
  return GetConsoleMode(StandardHandle(stream), &mode) != 0;
}

void Win32Console::WriteText(StandardStream stream, std::u16string_view text) {
  const HANDLE handle = StandardHandle(stream);
  while (!text.empty()) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min(text.size(), kMostPerWrite));
    if (!WriteConsoleW(handle, text.data(), count, &written, nullptr) || written == 0) return;
    text.remove_prefix(written);
  }
}

void Win32Console::WriteBytes(StandardStream stream, std::string_view bytes) {
  const HANDLE handle = StandardHandle(stream);
  while (!bytes.empty()) {
    DWORD written = 0;
    const auto count = static_cast<DWORD>(std::min(bytes.size(), kMostPerWrite));
    if (!WriteFile(handle, bytes.data(), count, &written, nullptr) || written == 0) return;
    bytes.remove_prefix(written);
  }
}

}  // namespace holvara
