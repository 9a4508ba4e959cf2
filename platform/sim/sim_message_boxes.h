// Simulated message boxes answered by a scripted user: a test says how the next box is answered,
// and reads back what the program showed.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/ports/message_boxes.h"

namespace holvara {

struct SimShownBox {
  WindowId owner;
  std::string text;
  std::string caption;
  std::uint32_t style;
};

class SimMessageBoxes : public virtual MessageBoxes {
 public:
  int ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption, std::uint32_t style) override;

  // A box is answered with the next queued answer (the usual "yes" of its buttons when none is
  // queued); whileShown runs while the box is on screen.
  void AnswerNextMessageBox(int result, std::function<void()> whileShown = {}) {
    boxAnswers_.push_back({result, std::move(whileShown)});
  }
  const std::vector<SimShownBox>& messageBoxes() const { return boxes_; }

 private:
  struct BoxAnswer {
    int result;
    std::function<void()> whileShown;
  };

  std::deque<BoxAnswer> boxAnswers_;
  std::vector<SimShownBox> boxes_;
};

}  // namespace holvara
