// The keyboard's state over USER32.
#pragma once

#include "platform/ports/keyboard.h"

namespace holvara {

class Win32Keyboard final : public Keyboard {
 public:
  bool IsDown(int virtualKey) override;
};

}  // namespace holvara
