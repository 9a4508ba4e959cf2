// The process's error mode over KERNEL32, apart from the other system facts so that the service
// does not load the shell's libraries for it.
#pragma once

#include "platform/ports/system.h"

namespace holvara {

class Win32ProcessErrorMode final : public ProcessErrorMode {
 public:
  void FailCriticalErrors() override;
};

}  // namespace holvara
