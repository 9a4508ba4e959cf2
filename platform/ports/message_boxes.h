// The system's message box.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;

  // Returns the button the user chose.
  virtual int ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) = 0;
};

}  // namespace holvara
