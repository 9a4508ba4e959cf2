// The mouse cursor: where it is, and which image it shows.
#pragma once

#include <cstdint>

namespace holvara {

struct ScreenPoint {
  int x;
  int y;
};

class Cursor {
 public:
  virtual ~Cursor() = default;
  virtual ScreenPoint Position() = 0;            // GetCursorPos
  virtual void Show(std::uintptr_t cursor) = 0;  // SetCursor
};

}  // namespace holvara
