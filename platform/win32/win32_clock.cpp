#include "platform/win32/win32_clock.h"

#include <windows.h>

namespace holvara {

std::uint64_t Win32Clock::NowMs() { return GetTickCount64(); }

void Win32Clock::SleepMs(std::uint32_t ms) { Sleep(ms); }

}  // namespace holvara
