#include "platform/win32/win32_keyboard.h"

#include <windows.h>

namespace holvara {

static_assert(kVkControl == VK_CONTROL);

// The high bit of the key state says the key is down.
bool Win32Keyboard::IsDown(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) != 0; }

}  // namespace holvara
