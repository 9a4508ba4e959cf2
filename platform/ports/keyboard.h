// The keyboard's state as the user's last input left it (GetKeyState).
#pragma once

namespace holvara {

inline constexpr int kVkControl = 0x11;

class Keyboard {
 public:
  virtual ~Keyboard() = default;
  // Whether the key (a virtual-key code) was held down when the message being handled was sent.
  virtual bool IsDown(int virtualKey) = 0;
};

}  // namespace holvara
