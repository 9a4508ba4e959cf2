// The other programs' top-level windows, asked with a time-out so that a program that does not
// answer cannot hold the caller.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/ports/ui.h"

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
};

}  // namespace holvara
