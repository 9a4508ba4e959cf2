// The removal's failure box: the service's reason when it gave one the user can act on, else the
// box as it always was.
#include <array>
#include <utility>

#include "platform/ports/ui_constants.h"
#include "tray/app/holvara_app.h"
#include "tray/app/removal_failure_text.h"

namespace holvara {

namespace {
constexpr std::size_t kStringBuffer = 255;
}  // namespace

void CHolvaraApp::ShowRemovalFailure(std::uint32_t fallbackString) {
  const RemovalReport report = std::exchange(*removalReport_, RemovalReport{});
  const auto loadString = [this](std::uint32_t id) {
    std::array<char, kStringBuffer> text{};
    LoadText(id, text);
    return std::string(text.data());
  };
  const std::string text = RemovalFailureText(report, loadString, ports_.system.AnsiCodePage());
  if (text.empty()) {
    ShowMessage(fallbackString, win::kMbIconHand);
    return;
  }
  messageBoxOpen_ = 1;
  MessageBox(text, win::kMbIconHand);
  messageBoxOpen_ = 0;
}

}  // namespace holvara
