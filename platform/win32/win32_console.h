// The standard streams over KERNEL32's console functions.
#pragma once

#include "platform/ports/console.h"

namespace holvara {

class Win32Console final : public Console {
 public:
  bool IsConsole(StandardStream stream) override;
};

}  // namespace holvara
