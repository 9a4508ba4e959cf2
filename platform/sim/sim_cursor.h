// The simulated mouse cursor: a position a test sets, and the images shown, in order.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/ports/cursor.h"

namespace holvara {

class SimCursor : public Cursor {
 public:
  ScreenPoint Position() override { return position; }
  void Show(std::uintptr_t cursor) override { shown_.push_back(cursor); }

  const std::vector<std::uintptr_t>& shown() const { return shown_; }

  ScreenPoint position{800, 580};

 private:
  std::vector<std::uintptr_t> shown_;
};

}  // namespace holvara
