// The simulated PC's sounds, recorded in order.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports/sound.h"

namespace holvara {

class SimSound : public Sound {
 public:
  void Beep(std::uint32_t type) override { beeps_.push_back(type); }
  const std::vector<std::uint32_t>& beeps() const { return beeps_; }

 private:
  std::vector<std::uint32_t> beeps_;
};

}  // namespace holvara
