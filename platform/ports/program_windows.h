// Windows of the tray program: making and destroying them, their titles, visibility, enabled state
// and position, and the system's own handling of their messages. Numbers (messages, styles) are
// the system's own; see ui_constants.h. (Not named windows.h, which is the system's header.)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace holvara {

using WindowId = std::uintptr_t;  // 0: no window
using ModuleId = std::uintptr_t;  // a loaded library that holds dialog templates
inline constexpr WindowId kNoWindow = 0;
// The class of every window that Windows::Create makes (dialogs have the system's dialog class):
// what tells the program's main window from another program's window of the same title.
inline constexpr char kWindowClassName[] = "HolvaraWindow";

struct WindowCreation {
  std::string title;
  std::uint32_t style = 0;
  std::uint32_t exStyle = 0;
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  WindowId parent = kNoWindow;
  std::uintptr_t menu = 0;  // a menu handle, or a child window's number
};

// Receives every message of one window, from its creation to WM_NCDESTROY. For a dialog the
// result follows the dialog-procedure rule: 0 lets the system's dialog handling run.
class WindowHandler {
 public:
  virtual ~WindowHandler() = default;
  virtual std::intptr_t HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                      std::intptr_t lParam) = 0;
};

class Windows {
 public:
  virtual ~Windows() = default;

  // Create returns kNoWindow when the window could not be made (for instance when the handler
  // answered WM_CREATE with -1).
  virtual WindowId Create(const WindowCreation& creation, WindowHandler& handler) = 0;
  // The system's own handling of a message of a window that is not a dialog.
  virtual std::intptr_t DefaultProcessing(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t lParam) = 0;
  virtual void Destroy(WindowId window) = 0;
  virtual void SetTitle(WindowId window, std::string_view title) = 0;
  virtual std::string Title(WindowId window) = 0;
  virtual void Show(WindowId window, int command) = 0;
  virtual bool IsVisible(WindowId window) = 0;
  virtual bool IsEnabled(WindowId window) = 0;
  virtual void Enable(WindowId window, bool enable) = 0;
  // The window's most recently active owned popup, or the window itself when it has none.
  virtual WindowId LastActivePopup(WindowId window) = 0;
  virtual void SetPosition(WindowId window, WindowId insertAfter, int x, int y, int width, int height,
                           std::uint32_t flags) = 0;
};

}  // namespace holvara
