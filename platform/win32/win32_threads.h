// Threads over the C runtime's thread start, so that the runtime is set up on each of them.
#pragma once

#include "platform/ports/threads.h"

namespace holvara {

class Win32Threads final : public Threads {
 public:
  std::unique_ptr<Thread> Start(std::function<std::uint32_t()> body) override;
  std::unique_ptr<Thread> StartSuspended(std::function<std::uint32_t()> body) override;

 private:
  std::unique_ptr<Thread> Begin(std::function<std::uint32_t()> body, unsigned flags);
};

}  // namespace holvara
