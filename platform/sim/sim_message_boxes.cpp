#include "platform/sim/sim_message_boxes.h"

#include "platform/ports/ui_constants.h"

namespace holvara {

namespace {

int UsualYes(std::uint32_t style) {
  switch (style & win::kMbTypeMask) {
    case win::kMbYesNo:
    case win::kMbYesNoCancel:
      return win::kIdYes;
    default:
      return win::kIdOk;
  }
}

}  // namespace

int SimMessageBoxes::ShowMessageBox(WindowId owner, std::string_view text, std::string_view caption,
                                    std::uint32_t style) {
  boxes_.push_back({owner, std::string(text), std::string(caption), style});
  if (boxAnswers_.empty()) return UsualYes(style);
  BoxAnswer answer = std::move(boxAnswers_.front());
  boxAnswers_.pop_front();
  if (answer.whileShown) answer.whileShown();
  return answer.result;
}

}  // namespace holvara
