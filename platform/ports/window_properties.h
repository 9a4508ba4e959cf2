// Named values attached to a window (SetPropA/GetPropA/RemovePropA): how one program marks its
// main window for another to read.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ports/program_windows.h"

namespace holvara {

class WindowProperties {
 public:
  virtual ~WindowProperties() = default;

  // An absent property reads as 0.
  virtual bool SetProperty(WindowId window, std::string_view name, std::uintptr_t value) = 0;
  virtual std::uintptr_t Property(WindowId window, std::string_view name) = 0;
  virtual void RemoveProperty(WindowId window, std::string_view name) = 0;
};

}  // namespace holvara
