// The system's sounds.
#pragma once

#include <cstdint>

namespace holvara {

class Sound {
 public:
  virtual ~Sound() = default;
  virtual void Beep(std::uint32_t type) = 0;  // MessageBeep
};

}  // namespace holvara
