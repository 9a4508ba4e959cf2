#include "platform/win32/win32_console.h"

#include <windows.h>

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

}  // namespace

// GetConsoleMode fails for every handle that is not a console's, the NUL device included (whose
// file type is FILE_TYPE_CHAR like a console's).
bool Win32Console::IsConsole(StandardStream stream) {
  DWORD mode = 0;
  return GetConsoleMode(StandardHandle(stream), &mode) != 0;
}

}  // namespace holvara
