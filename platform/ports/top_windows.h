// The other programs' top-level windows, asked with a time-out so that a program that does not
// answer cannot hold the caller; finding one by its class and title, and letting its process come
// to the foreground.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/ports/program_windows.h"

namespace holvara {

class TopWindows {
 public:
  virtual ~TopWindows() = default;
  // Every top-level window, in the order the system lists them (EnumWindows).
  virtual std::vector<WindowId> List() = 0;
  // The window's text (WM_GETTEXT into a 256-byte buffer), or nothing when it did not answer
  // within the time.
  virtual std::optional<std::string> TextWithin(WindowId window, std::uint32_t timeoutMs) = 0;
  // Sends the message and waits at most the time for it to be handled; false when it was not.
  virtual bool SendWithin(WindowId window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam,
                          std::uint32_t timeoutMs) = 0;
  // A top-level window of this class with exactly this title, visible or not (FindWindowA; both
  // compared without regard to case), or kNoWindow.
  virtual WindowId FindByClassAndTitle(std::string_view windowClass, std::string_view title) = 0;
  // The process that made the window (GetWindowThreadProcessId); 0 when there is no such window.
  virtual std::uint32_t ProcessOf(WindowId window) = 0;
  // Lets that process bring a window to the foreground (AllowSetForegroundWindow); the system
  // refuses unless this process may do so itself, for instance because the user just started it.
  virtual bool AllowForeground(std::uint32_t processId) = 0;
};

}  // namespace holvara
