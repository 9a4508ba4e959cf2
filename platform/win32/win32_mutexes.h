// Named mutexes over KERNEL32.
#pragma once

#include "platform/ports/mutex.h"

namespace holvara {

class Win32NamedMutexes final : public NamedMutexes {
 public:
  MutexCreation Create(std::string_view name) override;
};

}  // namespace holvara
