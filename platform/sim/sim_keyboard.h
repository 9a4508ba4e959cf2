// The simulated keyboard: a test holds keys down and lets them go.
#pragma once

#include <set>

#include "platform/ports/keyboard.h"

namespace holvara {

class SimKeyboard : public Keyboard {
 public:
  bool IsDown(int virtualKey) override { return down_.count(virtualKey) != 0; }

  void Press(int virtualKey) { down_.insert(virtualKey); }
  void Release(int virtualKey) { down_.erase(virtualKey); }

 private:
  std::set<int> down_;
};

}  // namespace holvara
