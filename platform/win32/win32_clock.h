// The system's millisecond tick and sleep.
#pragma once

#include "platform/ports/clock.h"

namespace holvara {

class Win32Clock final : public Clock {
 public:
  std::uint64_t NowMs() override;
  void SleepMs(std::uint32_t ms) override;
};

}  // namespace holvara
