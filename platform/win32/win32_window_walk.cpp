#include "platform/win32/win32_window_walk.h"

#include <windows.h>

namespace holvara {

WindowId Win32WindowWalk::Topmost() { return reinterpret_cast<WindowId>(GetTopWindow(nullptr)); }

WindowId Win32WindowWalk::Next(WindowId window) {
  return reinterpret_cast<WindowId>(GetWindow(reinterpret_cast<HWND>(window), GW_HWNDNEXT));
}

WindowId Win32WindowWalk::Parent(WindowId window) {
  return reinterpret_cast<WindowId>(GetParent(reinterpret_cast<HWND>(window)));
}

}  // namespace holvara
