#include "tray/framework/window.h"

#include "platform/ports/ui_constants.h"

namespace holvara::framework {

Window::~Window() {
  if (id_ != kNoWindow) ui_.Destroy(id_);
}

std::intptr_t Window::HandleMessage(WindowId window, std::uint32_t message, std::uintptr_t wParam,
                                    std::intptr_t lParam) {
  if (id_ == kNoWindow) id_ = window;
  const std::intptr_t result = WindowProc(message, wParam, lParam);
  // The system window is gone after its last message; the object may outlive it.
  if (message == win::kWmNcDestroy) id_ = kNoWindow;
  return result;
}

std::intptr_t Window::WindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return Default(message, wParam, lParam);
}

std::intptr_t Window::Default(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  return ui_.DefaultProcessing(id_, message, wParam, lParam);
}

}  // namespace holvara::framework
