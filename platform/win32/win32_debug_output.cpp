#include "platform/win32/win32_debug_output.h"

#include <windows.h>

#include <string>

namespace holvara {

void Win32DebugOutput::Write(std::string_view text) { OutputDebugStringA(std::string(text).c_str()); }

}  // namespace holvara
